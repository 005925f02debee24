#pragma once
// The window toolkit behind app/: a form with the four events the program handles, and the
// controls it is built from. Sizes are logical pixels; Qt scales them on high-density screens.

#include "platform/forms.h"
#include "platform/gdi_qt.h"

#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

class QWindow;

namespace platform {

/// A fixed-size top-level window that raises Initialize, Load, Activate and Unload.
///
/// Initialize is raised by whoever creates the form, once it is reachable (raiseInitialize).
/// Load is raised by the first Show, before the window becomes visible. Activate is raised by the
/// first Show right after the window becomes visible (it must not wait for a window manager to
/// grant focus), and later whenever the window takes the active place back from another window of
/// this program, such as a message box; switching to another program and back does not raise it.
/// Closing the window raises Unload.
class FormBase : public QWidget, public Form {
    Q_OBJECT

public:
    using ProcessEnd = std::function<void()>;

    /// `endProcess` is what EndProcess does: end the process at once in the program, record the
    /// call in tests.
    FormBase(int clientWidth, int clientHeight, ProcessEnd endProcess);

    /// Loads the form if needed, shows it and, for a modal show, waits until it is hidden.
    void Show(FormShow style) override;

protected:
    virtual void Form_Initialize() {}
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Unload(std::int16_t& cancel) { (void)cancel; }

    void raiseInitialize() { Form_Initialize(); }
    void EndProcess() { m_endProcess(); }

    void closeEvent(QCloseEvent* event) override;

private:
    void centreOnScreen();
    void onFocusWindowChanged(QWindow* focused);

    ProcessEnd m_endProcess;
    bool m_loaded = false;
    bool m_activated = false;
    bool m_otherWindowWasActive = false;
};

/// A picture box: a one-pixel flat border around an inner area measured in pixels. With a backing
/// bitmap, drawing goes into an image of the inner size that the box repaints itself from.
class PictureBox : public QFrame, public Picture {
    Q_OBJECT

public:
    enum class Backing { None, Persistent };

    PictureBox(QWidget* parent, QRect outer, QColor background, Backing backing);

    /// Outer size, border included.
    std::int32_t outerWidth() const override { return width(); }
    std::int32_t outerHeight() const override { return height(); }
    /// Inner size, inside the border.
    std::int32_t scaleWidth() const override { return contentsRect().width(); }
    std::int32_t scaleHeight() const override { return contentsRect().height(); }

    /// The area inside the border, where child controls are placed and clipped.
    QWidget* inner() { return &m_inner; }

    /// The backing bitmap; null for a box without one.
    const QImage* backing() const { return m_backing ? &m_backing->bitmap() : nullptr; }

    /// Draws into the backing bitmap; null for a box without one.
    HDC hDC() override { return m_backing ? &*m_backing : nullptr; }

    /// Shows what was drawn into the backing bitmap.
    void Refresh() override { repaint(contentsRect()); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget m_inner;
    std::optional<DeviceContext> m_backing;
};

/// A label with a transparent background that sizes itself to its caption on one line.
class AutoSizeLabel : public QLabel, public Label {
    Q_OBJECT

public:
    AutoSizeLabel(QWidget* parent, QPoint topLeft, int lineHeight, std::u16string_view caption);

    std::u16string caption() const override;
    void setCaption(std::u16string_view caption) override;

private:
    int m_lineHeight;
};

/// A drop-down list that allows only its own entries.
class DropDownList : public QComboBox, public ComboBox {
    Q_OBJECT

public:
    DropDownList(QWidget* parent, QRect geometry, const QStringList& entries);

    std::u16string text() const override;
    void setText(std::u16string_view text) override;
};

/// A text box that is never shown: it only holds a text for the program.
class HiddenTextBox : public QLineEdit, public TextBox {
    Q_OBJECT

public:
    HiddenTextBox(QWidget* parent, QRect geometry);

    std::u16string text() const override;
    void setText(std::u16string_view text) override;
};

} // namespace platform
