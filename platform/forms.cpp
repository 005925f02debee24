#include "platform/forms_qt.h"

#include "platform/text_qt.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <cstdlib>

namespace platform {

void DoEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void EndProcessNow()
{
    // Nothing of the program may run after this: no destructors, no handlers at exit. The
    // language file is always completely written before an event handler returns.
    std::_Exit(0);
}

namespace {

// Message boxes and dialogs count as other windows of the program; menus, list pop-ups and tool
// tips do not, so opening the language list never raises Activate.
bool isFormLike(const QWindow& window)
{
    const Qt::WindowType type = window.type();
    return type == Qt::Window || type == Qt::Dialog || type == Qt::Sheet;
}

} // namespace

FormBase::FormBase(int clientWidth, int clientHeight, ProcessEnd endProcess)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint)
    , m_endProcess(std::move(endProcess))
{
    setFixedSize(clientWidth, clientHeight);
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &FormBase::onFocusWindowChanged);
}

void FormBase::Show(FormShow style)
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    if (!isVisible()) {
        centreOnScreen();
        show();
        if (!m_activated) {
            m_activated = true;
            Form_Activate();
        }
    }
    if (style == FormShow::Modal && isVisible()) {
        while (isVisible())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void FormBase::closeEvent(QCloseEvent* event)
{
    std::int16_t cancel = 0;
    Form_Unload(cancel);
    event->setAccepted(cancel == 0);
}

void FormBase::centreOnScreen()
{
    // Where the platform lets a program place its windows; on Wayland the compositor decides.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    move(available.x() + (available.width() - width()) / 2, available.y() + (available.height() - height()) / 2);
}

void FormBase::onFocusWindowChanged(QWindow* focused)
{
    // No focus window means another program is active: that neither ends nor starts our turn.
    if (!focused || !m_activated)
        return;
    if (focused == windowHandle()) {
        if (m_otherWindowWasActive) {
            m_otherWindowWasActive = false;
            Form_Activate();
        }
    } else if (isFormLike(*focused)) {
        m_otherWindowWasActive = true;
    }
}

PictureBox::PictureBox(QWidget* parent, QRect outer, QColor background, Backing backing)
    : QFrame(parent)
    , m_inner(this)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setGeometry(outer);
    setFocusPolicy(Qt::StrongFocus);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    setPalette(colours);
    setAutoFillBackground(true);
    m_inner.setGeometry(contentsRect());
    if (backing == Backing::Persistent) {
        m_backing.emplace(contentsRect().size(), background);
        // The border and the bitmap cover the whole box, so a refresh need not fill it first.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    if (!m_backing) {
        QFrame::paintEvent(event);
        return;
    }
    // One painter a frame: a refresh repaints the inner area only, the border when it is exposed.
    QPainter painter(this);
    if (!contentsRect().contains(event->rect()))
        drawFrame(&painter);
    // On a high-density screen the image is scaled without smoothing, so a pixel stays crisp.
    painter.drawImage(contentsRect(), m_backing->bitmap());
}

AutoSizeLabel::AutoSizeLabel(QWidget* parent, QPoint topLeft, int lineHeight, std::u16string_view caption)
    : QLabel(parent)
    , m_lineHeight(lineHeight)
{
    setFocusPolicy(Qt::NoFocus);
    setWordWrap(false);
    // The caption comes from the language file: shown as it stands, never taken for markup.
    setTextFormat(Qt::PlainText);
    move(topLeft);
    setCaption(caption);
}

std::u16string AutoSizeLabel::caption() const
{
    return QLabel::text().toStdU16String();
}

void AutoSizeLabel::setCaption(std::u16string_view caption)
{
    const QString text = toQString(caption);
    setText(text);
    resize(fontMetrics().horizontalAdvance(text), m_lineHeight);
}

DropDownList::DropDownList(QWidget* parent, QRect geometry, const QStringList& entries)
    : QComboBox(parent)
{
    setEditable(false);
    addItems(entries);
    setGeometry(geometry);
    setFocusPolicy(Qt::StrongFocus);
}

std::u16string DropDownList::text() const
{
    return currentText().toStdU16String();
}

void DropDownList::setText(std::u16string_view text)
{
    const int index = findText(toQString(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        setCurrentIndex(index);
}

HiddenTextBox::HiddenTextBox(QWidget* parent, QRect geometry)
    : QLineEdit(parent)
{
    setGeometry(geometry);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

std::u16string HiddenTextBox::text() const
{
    return QLineEdit::text().toStdU16String();
}

void HiddenTextBox::setText(std::u16string_view text)
{
    QLineEdit::setText(toQString(text));
}

} // namespace platform
