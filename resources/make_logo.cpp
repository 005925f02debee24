// Draws the author logo: "Tobrek" in bold white on a transparent 227 by 62 image, with soft
// edges, and writes it as a PNG. Rerun it to remake resources/logo.png:
//   QT_QPA_PLATFORM=offscreen build/resources/make_logo resources/logo.png

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

constexpr int kWidth = 227;
constexpr int kHeight = 62;
const char* const kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

QImage drawLogo(const QString& family)
{
    QImage logo(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(family);
    font.setPixelSize(52);
    font.setWeight(QFont::Bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    font.setHintingPreference(QFont::PreferNoHinting);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(logo.rect(), Qt::AlignCenter, QStringLiteral("Tobrek"));
    painter.end();
    // White with coverage as alpha: unpremultiplied, every visible pixel is pure white.
    return logo.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    const int font = QFontDatabase::addApplicationFont(QString::fromUtf8(kFontFile));
    if (font < 0) {
        std::fprintf(stderr, "cannot load %s (package fonts-dejavu-core)\n", kFontFile);
        return 1;
    }
    const QImage logo = drawLogo(QFontDatabase::applicationFontFamilies(font).constFirst());
    if (!logo.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
