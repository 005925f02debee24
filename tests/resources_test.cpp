#include "platform/resources.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

std::string_view asText(std::span<const std::uint8_t> bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

TEST(Resources, ManifestIsCompiledInAsType24Id1French)
{
    const auto manifest = platform::LoadResource(platform::RT_MANIFEST, 1, 1036);
    ASSERT_TRUE(manifest.has_value());
    const std::string_view xml = asText(*manifest);
    EXPECT_TRUE(xml.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"));
    EXPECT_NE(xml.find("level=\"requireAdministrator\" uiAccess=\"false\""), std::string_view::npos);
    EXPECT_NE(xml.find("<description>Description of your application</description>"), std::string_view::npos);
    EXPECT_EQ(xml.find("dependentAssembly"), std::string_view::npos) << "no common-controls dependency";
}

TEST(Resources, MissingResourcesGiveNothing)
{
    EXPECT_FALSE(platform::LoadResource(platform::RT_MANIFEST, 2));
    EXPECT_FALSE(platform::LoadResource(platform::RT_RCDATA, 1, 1033)) << "another language";
    EXPECT_FALSE(platform::LoadResource(platform::RT_MANIFEST, 1, 1033)) << "another language";
    EXPECT_FALSE(platform::LoadResource(u"24", 1)) << "a name is not an integer id";
}

TEST(ResourceId, NamesMatchWithoutRegardToCaseAndNeverMatchIds)
{
    using platform::ResourceId;
    EXPECT_TRUE(ResourceId(u"PNG").matches(u"png"));
    EXPECT_TRUE(ResourceId(u"png").matches(u"PnG"));
    EXPECT_FALSE(ResourceId(u"PNG").matches(u"PNGX"));
    EXPECT_FALSE(ResourceId(u"PNG").matches(u"JPG"));
    EXPECT_TRUE(ResourceId(10).matches(10));
    EXPECT_FALSE(ResourceId(10).matches(24));
    EXPECT_FALSE(ResourceId(u"10").matches(10));
    // Only ASCII letters fold: what the platform would do with other scripts is not ours to guess.
    EXPECT_FALSE(ResourceId(u"\u00C9").matches(u"\u00E9"));
}

} // namespace
