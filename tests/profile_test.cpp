#include "platform/profile.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace std::string_literals;
namespace fs = std::filesystem;
using platform::GetPrivateProfileStringA;
using platform::WritePrivateProfileStringA;

namespace {

constexpr const char* kFileName = "steam_api.ini";

// A fresh folder for each case, removed with everything in it afterwards.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "profile-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a scratch folder");
        }
        m_path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(m_path, ignored)) {
            if (entry.is_directory(ignored) && !entry.is_symlink(ignored)) {
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
            }
        }
        fs::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const fs::path& path() const { return m_path; }
    std::string file(const std::string& name = kFileName) const { return (m_path / name).string(); }

private:
    fs::path m_path;
};

void writeBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::optional<std::string> readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every entry below a folder with its type, permissions and bytes: equal
// snapshots mean nothing was changed and no temporary file was left behind.
std::map<std::string, std::string> snapshot(const fs::path& folder)
{
    std::map<std::string, std::string> result;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const auto status = entry.symlink_status();
        std::string description = std::to_string(static_cast<int>(status.permissions()));
        if (fs::is_symlink(status)) {
            description += " link to " + fs::read_symlink(entry.path()).string();
        } else if (fs::is_regular_file(status)) {
            description += " file " + readBytes(entry.path()).value_or("<unreadable>");
        } else {
            description += " other";  // never opened: a FIFO would block
        }
        result[entry.path().lexically_relative(folder).string()] = description;
    }
    return result;
}

std::vector<std::string> entryNames(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        names.push_back(entry.path().lexically_relative(folder).string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

template <typename Case>
std::string caseName(const testing::TestParamInfo<Case>& info)
{
    return info.param.name;
}

// Failure messages name the case instead of dumping its bytes.
template <typename Case>
    requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

// ---------------------------------------------------------------- reading

struct ReadCase {
    const char* name;
    std::optional<std::string> file;  // bytes of steam_api.ini; nullopt: no file
    const char* section;
    const char* key;
    const char* fallback;
    std::uint32_t capacity;
    std::string expected;
    const char* path = kFileName;  // relative to the scratch folder
};

const std::string kLong254(254, 'v');

const ReadCase kReadCases[] = {
    // name, file, section, key, default, capacity, expected
    {"ValueFound", "[Settings]\r\nLanguage=english\r\n", "Settings", "Language", "x", 64, "english"},
    {"NamesIgnoreAsciiCase", "[SETTINGS]\nlanguage=german\n", "settings", "LANGUAGE", "x", 64, "german"},
    {"CaseFoldingIsAsciiOnlyUtf8", "[S]\n\xC3\xA9=1\n", "S", "\xC3\x89", "none", 64, "none"},
    {"CaseFoldingIsAsciiOnlyLatin1", "[S]\n\xE9=1\n", "S", "\xC9", "none", 64, "none"},
    {"BlanksInFileIgnored", "  [ \tSettings\t ]  \n \t Language \t=\t  french \t \n", "Settings", "Language", "x",
     64, "french"},
    {"SpacesAroundArgumentsIgnored", "[Settings]\nLanguage=french\n", "  Settings ", " Language  ", "x", 64,
     "french"},
    {"TabsAroundArgumentsNotIgnored", "[Settings]\nLanguage=french\n", "Settings", "\tLanguage", "x", 64, "x"},
    {"BlanksInsideValueKept", "[S]\nk= a b\t c \n", "S", "k", "x", 64, "a b\t c"},
    {"DoubleQuotesRemoved", "[S]\nk=\"abc\"\n", "S", "k", "x", 64, "abc"},
    {"SingleQuotesRemoved", "[S]\nk='abc'\n", "S", "k", "x", 64, "abc"},
    {"BlanksInsideQuotesKept", "[S]\nk= \" a \" \n", "S", "k", "x", 64, " a "},
    {"MismatchedQuotesKept", "[S]\nk=\"abc'\n", "S", "k", "x", 64, "\"abc'"},
    {"LoneQuoteKept", "[S]\nk=\"\n", "S", "k", "x", 64, "\""},
    {"EmptyValueIsNotDefault", "[S]\nk=  \n", "S", "k", "x", 64, ""},
    {"DefaultLosesTrailingSpacesOnly", "[S]\n", "S", "k", "  eng \t  ", 64, "  eng \t"},
    {"NullDefaultReadsEmpty", "[S]\n", "S", "k", nullptr, 64, ""},
    {"FirstSectionWins", "[S]\nk=1\n[s]\nk=2\n", "S", "k", "x", 64, "1"},
    {"KeyNotSearchedInLaterSection", "[S]\na=1\n[s]\nk=2\n", "S", "k", "x", 64, "x"},
    {"FirstKeyWins", "[S]\nk=1\nK=2\n", "S", "k", "x", 64, "1"},
    {"CommentLinesIgnored", "[S]\n;k=1\n \t;k=2\nk=3\n", "S", "k", "x", 64, "3"},
    {"CommentIsNotAKeyEvenByName", "[S]\n;k=1\n", "S", ";k", "x", 64, "x"},
    {"CommentedHeaderIgnored", ";[S]\nk=1\n", "S", "k", "x", 64, "x"},
    {"HashAndSemicolonInValueAreData", "[S]\nk=a # b ; c\n", "S", "k", "x", 64, "a # b ; c"},
    {"HashLineIsAKey", "[S]\n#k=1\n", "S", "#k", "x", 64, "1"},
    {"LineWithoutEqualsIsNotAKey", "[S]\nk\nk =2\n", "S", "k", "x", 64, "2"},
    {"ValueStartsAfterFirstEquals", "[S]\nk=a=b\n", "S", "k", "x", 64, "a=b"},
    {"HeaderNameEndsAtFirstBracket", "[S]x] trailing\nk=1\n", "S", "k", "x", 64, "1"},
    {"KeysBeforeFirstSectionBelongToNone", "k=1\n[S]\n", "S", "k", "x", 64, "x"},
    {"KeysBeforeFirstSectionNotInEmptyName", "k=1\n[S]\n", "", "k", "x", 64, "x"},
    {"LfEndings", "[A]\nk=1\n[S]\nk=2\n", "S", "k", "x", 64, "2"},
    {"CrlfEndings", "[A]\r\nk=1\r\n[S]\r\nk=2\r\n", "S", "k", "x", 64, "2"},
    {"CrEndings", "[A]\rk=1\r[S]\rk=2\r", "S", "k", "x", 64, "2"},
    {"LastLineWithoutEnding", "[S]\nk=1", "S", "k", "x", 64, "1"},
    {"ByteOrderMarkSkipped", "\xEF\xBB\xBF[S]\nk=1\n", "S", "k", "x", 64, "1"},
    {"HighBytesPassThrough", "[S\xE9]\nk=\xFF\x80\xC3\xA9\n", "S\xE9", "k", "x", 64, "\xFF\x80\xC3\xA9"},
    {"NulBytesAreOrdinary", "\0;\0\n[S\0]\nk=0\n[S]\nk=a\0b\n"s, "S", "k", "x", 64, "a\0b"s},
    {"ValueCutAtCapacityMinusOne", "[S]\nk=abcdef\n", "S", "k", "x", 4, "abc"},
    {"DefaultCutAtCapacityMinusOne", "[S]\n", "S", "k", "abcdef", 3, "ab"},
    {"CapacityOneGivesEmpty", "[S]\nk=abc\n", "S", "k", "x", 1, ""},
    {"CapacityZeroWritesNothing", "[S]\nk=abc\n", "S", "k", "x", 0, ""},
    {"Value254FitsCapacity255", "[S]\nk=" + kLong254 + "\n", "S", "k", "x", 255, kLong254},
    {"Value255CutAtCapacity255", "[S]\nk=" + kLong254 + "w\n", "S", "k", "x", 255, kLong254},
    {"MissingFile", std::nullopt, "S", "k", "dflt", 64, "dflt"},
    {"MissingFolder", std::nullopt, "S", "k", "dflt", 64, "dflt", "missing/steam_api.ini"},
    {"MissingSection", "[T]\nk=1\n", "S", "k", "dflt", 64, "dflt"},
    {"MissingKey", "[S]\nj=1\n", "S", "k", "dflt", 64, "dflt"},
    {"NullSectionReadsEmpty", "[S]\nk=1\n", nullptr, "k", "dflt", 64, ""},
    {"NullKeyReadsEmpty", "[S]\nk=1\n", "S", nullptr, "dflt", 64, ""},
};

class ProfileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, CopiesValueOrDefaultWithinCapacity)
{
    const ReadCase& c = GetParam();
    const ScratchFolder folder;
    if (c.file) {
        writeBytes(folder.file(), *c.file);
    }
    constexpr char kUntouched = '\x7f';
    std::vector<char> buffer(c.capacity + 8, kUntouched);

    const std::int32_t result =
        GetPrivateProfileStringA(c.section, c.key, c.fallback, buffer.data(), c.capacity, folder.file(c.path).c_str());

    ASSERT_EQ(result, static_cast<std::int32_t>(c.expected.size()));
    EXPECT_EQ(std::string(buffer.data(), c.expected.size()), c.expected);
    if (c.capacity > 0) {
        EXPECT_EQ(buffer[c.expected.size()], '\0');
    }
    EXPECT_TRUE(std::all_of(buffer.begin() + c.capacity, buffer.end(), [](char b) { return b == kUntouched; }))
        << "bytes written past the capacity";
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileRead, testing::ValuesIn(kReadCases), caseName<ReadCase>);

TEST(ProfileReadArguments, NullBufferCopiesNothing)
{
    const ScratchFolder folder;
    writeBytes(folder.file(), "[S]\nk=abc\n");
    EXPECT_EQ(GetPrivateProfileStringA("S", "k", "x", nullptr, 16, folder.file().c_str()), 0);
}

TEST(ProfileReadPaths, NonRegularFilesReadAsDefaultWithoutBlocking)
{
    const ScratchFolder folder;
    fs::create_directory(folder.path() / "directory");
    ASSERT_EQ(::mkfifo(folder.file("fifo").c_str(), 0600), 0) << std::strerror(errno);
    for (const char* name : {"directory", "fifo"}) {
        char buffer[16] = {};
        EXPECT_EQ(GetPrivateProfileStringA("S", "k", "dflt", buffer, sizeof buffer, folder.file(name).c_str()), 4)
            << name;
        EXPECT_STREQ(buffer, "dflt") << name;
    }
}

// ---------------------------------------------------------------- writing

struct WriteCase {
    const char* name;
    std::optional<std::string> before;  // nullopt: no file
    const char* section;
    const char* key;
    const char* value;
    int result;
    int error;  // errno after a refused write
    std::optional<std::string> after;
};

const WriteCase kWriteCases[] = {
    // name, before, section, key, value, result, errno, after
    {"ReplaceKeepsEveryOtherByte",
     "\xEF\xBB\xBF; head\r\nstray=1\r\n\r\n[Other]\r\nLanguage=x\r\n[ settings ]  ; c\r\n"
     "  LANGUAGE \t=  english \t \r\n# note\r\n\r\n",
     "Settings", "Language", "german", 1, 0,
     "\xEF\xBB\xBF; head\r\nstray=1\r\n\r\n[Other]\r\nLanguage=x\r\n[ settings ]  ; c\r\n"
     "  LANGUAGE \t=  german \t \r\n# note\r\n\r\n"},
    {"ReplaceQuotedValueWithItsQuotes", "[S]\nk = \"old value\" \n", "S", "k", "new", 1, 0, "[S]\nk = new \n"},
    {"ReplaceEmptyValueAfterItsBlanks", "[S]\nk=  \n", "S", "k", "v", 1, 0, "[S]\nk=  v\n"},
    {"ReplaceInFirstSectionAndKeyOnly", "[S]\nk=1\nk=2\n[S]\nk=3\n", "s", "K", "9", 1, 0,
     "[S]\nk=9\nk=2\n[S]\nk=3\n"},
    {"ReplaceInUnterminatedLastLine", "[S]\nk=1", "S", "k", "2", 1, 0, "[S]\nk=2"},
    {"SameValueKeepsFile", "[S]\nk=1\n", "S", "k", "1", 1, 0, "[S]\nk=1\n"},
    {"KeyAddedAfterLastKeyLine", "[S]\na=1\n; c\nb=2\n\n; trailing=1\n\n[T]\n", "S", "k", "v", 1, 0,
     "[S]\na=1\n; c\nb=2\nk=v\n\n; trailing=1\n\n[T]\n"},
    {"KeyAddedAfterHeaderOfSectionWithoutKeys", "[S] ; c\n\n; c\n[T]\n", "S", "k", "v", 1, 0,
     "[S] ; c\nk=v\n\n; c\n[T]\n"},
    {"KeyAddedToFirstMatchingSection", "[S]\na=1\n[T]\n[S]\nk=2\n", "S", "k", "v", 1, 0,
     "[S]\na=1\nk=v\n[T]\n[S]\nk=2\n"},
    {"KeyAddedBesideKeysBeforeFirstSection", "k=1\n[S]\n", "S", "k", "2", 1, 0, "k=1\n[S]\nk=2\n"},
    {"SectionAddedAtEnd", "[T]\r\na=1\r\n\r\n", "Settings", "Language", "german", 1, 0,
     "[T]\r\na=1\r\n\r\n[Settings]\r\nLanguage=german\r\n"},
    {"FinalLineEndingAddedBeforeNewSection", "[T]\na=1", "S", "k", "v", 1, 0, "[T]\na=1\n[S]\nk=v\n"},
    {"FinalLineEndingAddedBeforeNewKey", "[S]\na=1", "S", "k", "v", 1, 0, "[S]\na=1\nk=v\n"},
    {"CrOnlyFileGetsCr", "[S]\ra=1\r", "S", "k", "v", 1, 0, "[S]\ra=1\rk=v\r"},
    {"FirstLineEndingDecides", "a=1\n[S]\r\nb=2\r\n", "S", "k", "v", 1, 0, "a=1\n[S]\r\nb=2\r\nk=v\n"},
    {"ByteOrderMarkKept", "\xEF\xBB\xBF[S]\nk=1\n", "S", "k", "2", 1, 0, "\xEF\xBB\xBF[S]\nk=2\n"},
    {"ByteOrderMarkOnlyFile", "\xEF\xBB\xBF", "S", "k", "v", 1, 0, "\xEF\xBB\xBF[S]\r\nk=v\r\n"},
    {"NewFileGetsCrlfAndNoByteOrderMark", std::nullopt, "Settings", "Language", "german", 1, 0,
     "[Settings]\r\nLanguage=german\r\n"},
    {"EmptyFileGetsCrlf", "", "S", "k", "v", 1, 0, "[S]\r\nk=v\r\n"},
    {"FileWithoutLineEndingGetsCrlf", "; x", "S", "k", "v", 1, 0, "; x\r\n[S]\r\nk=v\r\n"},
    {"NamesWrittenWithoutSurroundingSpaces", "", "  S ", " k  ", " v ", 1, 0, "[S]\r\nk= v \r\n"},
    {"HighAndNulBytesKept", "\0\xFF\n[S]\nk=\x80\n"s, "S", "k", "\xC3\xA9", 1, 0, "\0\xFF\n[S]\nk=\xC3\xA9\n"s},
    {"NullValueDeletesKeyLine", "[S]\r\na=1\r\nk=2\r\nb=3\r\n", "S", "k", nullptr, 1, 0, "[S]\r\na=1\r\nb=3\r\n"},
    {"NullValueDeletesUnterminatedLastLine", "[S]\na=1\nk=2", "S", "k", nullptr, 1, 0, "[S]\na=1\n"},
    {"NullValueWithoutKeyChangesNothing", "[S]\na=1\n", "S", "k", nullptr, 1, 0, "[S]\na=1\n"},
    {"NullValueOnMissingFileCreatesNothing", std::nullopt, "S", "k", nullptr, 1, 0, std::nullopt},
    {"NullKeyDeletesWholeSection", "[A]\na=1\n[S]\nk=1\n; c\n\n[B]\nb=1\n", "s", nullptr, nullptr, 1, 0,
     "[A]\na=1\n[B]\nb=1\n"},
    {"NullKeyDeletesOnlyFirstSection", "[S]\na=1\n[S]\nb=2\n", "S", nullptr, "ignored", 1, 0, "[S]\nb=2\n"},
    {"NullKeyWithoutSectionChangesNothing", "[A]\na=1\n", "S", nullptr, nullptr, 1, 0, "[A]\na=1\n"},
    {"RefusesNullSection", "[S]\nk=1\n", nullptr, "k", "v", 0, EINVAL, "[S]\nk=1\n"},
    {"RefusesLfInValue", "[S]\nk=1\n", "S", "k", "v\n[X]", 0, EINVAL, "[S]\nk=1\n"},
    {"RefusesCrInValue", "[S]\nk=1\n", "S", "k", "v\rx=1", 0, EINVAL, "[S]\nk=1\n"},
    {"RefusesLineBreakInKey", "[S]\nk=1\n", "S", "a\nk", "v", 0, EINVAL, "[S]\nk=1\n"},
    {"RefusesLineBreakInSection", "[S]\nk=1\n", "S\r\n[T", "k", "v", 0, EINVAL, "[S]\nk=1\n"},
    {"RefusesEqualsInKey", "[S]\nk=1\n", "S", "k=x", "v", 0, EINVAL, "[S]\nk=1\n"},
    {"RefusesBracketInSection", "[S]\nk=1\n", "S]x", "k", "v", 0, EINVAL, "[S]\nk=1\n"},
    {"RefusesKeyThatWouldBeAComment", "[S]\nk=1\n", "S", ";k", "v", 0, EINVAL, "[S]\nk=1\n"},
    {"RefusesKeyThatWouldBeAHeader", "[S]\nk=1\n", "S", "[k", "v", 0, EINVAL, "[S]\nk=1\n"},
    {"RefusesTabAroundSection", "[S]\nk=1\n", "S\t", "k", "v", 0, EINVAL, "[S]\nk=1\n"},
    {"RefusedWriteCreatesNoFile", std::nullopt, "S", "k", "v\n", 0, EINVAL, std::nullopt},
};

class ProfileWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, ChangesOnlyTheValue)
{
    const WriteCase& c = GetParam();
    const ScratchFolder folder;
    if (c.before) {
        writeBytes(folder.file(), *c.before);
    }

    errno = 0;
    const std::int32_t result = WritePrivateProfileStringA(c.section, c.key, c.value, folder.file().c_str());
    const int error = errno;

    EXPECT_EQ(result, c.result);
    if (c.result == 0) {
        EXPECT_EQ(error, c.error) << std::strerror(error);
    }
    EXPECT_EQ(readBytes(folder.file()), c.after);
    EXPECT_EQ(entryNames(folder.path()), c.after ? std::vector<std::string>{kFileName} : std::vector<std::string>{})
        << "unexpected or leftover temporary file";
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileWrite, testing::ValuesIn(kWriteCases), caseName<WriteCase>);

// ---------------------------------------------------------------- failing writes

struct FailureCase {
    const char* name;
    // Prepares the folder and returns the path to write to.
    std::function<std::string(const ScratchFolder&)> arrange;
    int error;
    bool meaningfulForRoot = true;
};

const std::string kOldContent = "[Settings]\r\nLanguage=english\r\n";

std::string oldFileWithMode(const ScratchFolder& folder, const std::string& name, fs::perms mode)
{
    writeBytes(folder.file(name), kOldContent);
    fs::permissions(folder.file(name), mode);
    return folder.file(name);
}

const FailureCase kFailureCases[] = {
    {"ReadOnlyFile", [](const ScratchFolder& f) { return oldFileWithMode(f, kFileName, fs::perms(0444)); },
     EACCES},
    {"ReadOnlyLinkTarget",
     [](const ScratchFolder& f) {
         oldFileWithMode(f, "target.ini", fs::perms(0444));
         fs::create_symlink("target.ini", f.file());
         return f.file();
     },
     EACCES},
    {"MissingFolder", [](const ScratchFolder& f) { return f.file("missing/steam_api.ini"); }, ENOENT},
    {"FileInPlaceOfFolder",
     [](const ScratchFolder& f) {
         writeBytes(f.file("plain"), kOldContent);
         return f.file("plain/steam_api.ini");
     },
     ENOTDIR},
    {"DanglingLinkIntoMissingFolder",
     [](const ScratchFolder& f) {
         fs::create_symlink("missing/target.ini", f.file());
         return f.file();
     },
     ENOENT},
    {"LinkLoop",
     [](const ScratchFolder& f) {
         fs::create_symlink("other", f.file());
         fs::create_symlink(kFileName, f.file("other"));
         return f.file();
     },
     ELOOP},
    {"DirectoryAtPath",
     [](const ScratchFolder& f) {
         fs::create_directory(f.file());
         return f.file();
     },
     EISDIR},
    {"FifoAtPath",
     [](const ScratchFolder& f) {
         if (::mkfifo(f.file().c_str(), 0600) != 0) {
             throw std::runtime_error("cannot create a FIFO");
         }
         return f.file();
     },
     EINVAL},
    // Root writes into any folder regardless of its permissions.
    {"FolderWithoutWritePermission",
     [](const ScratchFolder& f) {
         fs::create_directory(f.file("locked"));
         const std::string path = oldFileWithMode(f, "locked/steam_api.ini", fs::perms(0644));
         fs::permissions(f.file("locked"), fs::perms(0555));
         return path;
     },
     EACCES, false},
};

class ProfileWriteFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(ProfileWriteFailure, LeavesEverythingAsItWas)
{
    const FailureCase& c = GetParam();
    if (!c.meaningfulForRoot && ::geteuid() == 0) {
        GTEST_SKIP() << "root ignores folder permissions";
    }
    const ScratchFolder folder;
    const std::string path = c.arrange(folder);
    const auto before = snapshot(folder.path());

    errno = 0;
    const std::int32_t result = WritePrivateProfileStringA("Settings", "Language", "german", path.c_str());
    const int error = errno;

    EXPECT_EQ(result, 0);
    EXPECT_EQ(error, c.error) << std::strerror(error);
    EXPECT_EQ(snapshot(folder.path()), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileWriteFailure, testing::ValuesIn(kFailureCases), caseName<FailureCase>);

TEST(ProfileWriteFailures, ReadOnlyFileWithUnchangedValueNeedsNoWrite)
{
    const ScratchFolder folder;
    const std::string path = oldFileWithMode(folder, kFileName, fs::perms(0444));
    const auto before = snapshot(folder.path());
    EXPECT_EQ(WritePrivateProfileStringA("Settings", "Language", "english", path.c_str()), 1);
    EXPECT_EQ(snapshot(folder.path()), before);
}

// The child hits the file size limit while writing the new content, as on a full disk.
TEST(ProfileWriteFailures, FullDiskKeepsOldContent)
{
    const ScratchFolder folder;
    const std::string old = kOldContent + "; " + std::string(16 * 1024, 'x') + "\r\n";
    writeBytes(folder.file(), old);
    const auto before = snapshot(folder.path());

    const pid_t child = ::fork();
    ASSERT_NE(child, -1) << std::strerror(errno);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            ::_exit(254);
        }
        errno = 0;
        const std::int32_t result = WritePrivateProfileStringA("Settings", "Language", "german", folder.file().c_str());
        // Success is 255; a failure reports its errno.
        ::_exit(result == 1 ? 255 : std::min(errno, 253));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), EFBIG) << "255 means the write succeeded, 254 that no limit could be set";
    EXPECT_EQ(snapshot(folder.path()), before);
}

// ---------------------------------------------------------------- files and links

TEST(ProfileFiles, PermissionsAndOwnerKept)
{
    const ScratchFolder folder;
    const std::string path = oldFileWithMode(folder, kFileName, fs::perms(0640));
    const bool asRoot = ::geteuid() == 0;
    if (asRoot) {
        ASSERT_EQ(::chown(path.c_str(), 4321, 4321), 0) << std::strerror(errno);
    }

    ASSERT_EQ(WritePrivateProfileStringA("Settings", "Language", "german", path.c_str()), 1);

    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    if (asRoot) {
        EXPECT_EQ(status.st_uid, 4321u);
        EXPECT_EQ(status.st_gid, 4321u);
    }
    EXPECT_EQ(readBytes(path), "[Settings]\r\nLanguage=german\r\n");
}

TEST(ProfileFiles, NewFileFollowsUmask)
{
    const ScratchFolder folder;
    const mode_t previous = ::umask(027);
    const std::int32_t result = WritePrivateProfileStringA("Settings", "Language", "german", folder.file().c_str());
    ::umask(previous);

    ASSERT_EQ(result, 1);
    struct stat status {};
    ASSERT_EQ(::stat(folder.file().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST(ProfileFiles, BackslashesSeparateFolders)
{
    const ScratchFolder folder;
    writeBytes(folder.file(), kOldContent);
    std::string windowsPath = folder.file();
    std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');

    ASSERT_EQ(WritePrivateProfileStringA("Settings", "Language", "german", windowsPath.c_str()), 1);
    char buffer[16] = {};
    EXPECT_EQ(GetPrivateProfileStringA("Settings", "Language", "", buffer, sizeof buffer, windowsPath.c_str()), 6);
    EXPECT_STREQ(buffer, "german");
    EXPECT_EQ(readBytes(folder.file()), "[Settings]\r\nLanguage=german\r\n");
    EXPECT_EQ(entryNames(folder.path()), std::vector<std::string>{kFileName});
}

TEST(ProfileFiles, LinkChainKeptAndFinalTargetUpdated)
{
    const ScratchFolder folder;
    fs::create_directories(folder.path() / "game" / "real");
    writeBytes(folder.file("game/real/settings.ini"), kOldContent);
    // Relative targets count from the link's own folder, not the working directory.
    fs::create_symlink("../game/real/settings.ini", folder.path() / "game" / "middle");
    fs::create_symlink("game/middle", folder.file());

    ASSERT_EQ(WritePrivateProfileStringA("Settings", "Language", "german", folder.file().c_str()), 1);

    EXPECT_EQ(fs::read_symlink(folder.file()), "game/middle");
    EXPECT_EQ(fs::read_symlink(folder.path() / "game" / "middle"), "../game/real/settings.ini");
    EXPECT_EQ(readBytes(folder.file("game/real/settings.ini")), "[Settings]\r\nLanguage=german\r\n");
    const std::vector<std::string> expected{"game", "game/middle", "game/real", "game/real/settings.ini", kFileName};
    EXPECT_EQ(entryNames(folder.path()), expected);
}

// Linux allows 40 links in a row; so do we.
TEST(ProfileFiles, FortyLinksFollowedButNotMore)
{
    const ScratchFolder folder;
    writeBytes(folder.file("target.ini"), kOldContent);
    std::string next = "target.ini";
    for (int link = 1; link <= 41; ++link) {
        const std::string name = "link" + std::to_string(link);
        fs::create_symlink(next, folder.file(name));
        next = name;
    }

    errno = 0;
    EXPECT_EQ(WritePrivateProfileStringA("Settings", "Language", "german", folder.file("link41").c_str()), 0);
    EXPECT_EQ(errno, ELOOP) << std::strerror(errno);
    EXPECT_EQ(readBytes(folder.file("target.ini")), kOldContent);
    EXPECT_EQ(WritePrivateProfileStringA("Settings", "Language", "german", folder.file("link40").c_str()), 1);
    EXPECT_EQ(readBytes(folder.file("target.ini")), "[Settings]\r\nLanguage=german\r\n");
}

TEST(ProfileFiles, DanglingLinkCreatesItsTarget)
{
    const ScratchFolder folder;
    fs::create_symlink("created.ini", folder.file());

    ASSERT_EQ(WritePrivateProfileStringA("Settings", "Language", "german", folder.file().c_str()), 1);

    EXPECT_TRUE(fs::is_symlink(folder.file()));
    EXPECT_EQ(readBytes(folder.file("created.ini")), "[Settings]\r\nLanguage=german\r\n");
    EXPECT_EQ(entryNames(folder.path()), (std::vector<std::string>{"created.ini", kFileName}));
}

TEST(ProfileFiles, TenMegabyteFileReadAndEdited)
{
    const ScratchFolder folder;
    std::string padding;
    while (padding.size() < 10 * 1024 * 1024) {
        padding += "; padding line that only makes the file large\r\n";
    }
    writeBytes(folder.file(), "[Settings]\r\n" + padding + "Language=english\r\n");

    char buffer[16] = {};
    EXPECT_EQ(GetPrivateProfileStringA("Settings", "Language", "", buffer, sizeof buffer, folder.file().c_str()), 7);
    EXPECT_STREQ(buffer, "english");
    ASSERT_EQ(WritePrivateProfileStringA("Settings", "Language", "german", folder.file().c_str()), 1);
    EXPECT_TRUE(readBytes(folder.file()) == "[Settings]\r\n" + padding + "Language=german\r\n");
}

}  // namespace
