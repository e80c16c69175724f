#pragma once

#include <QColor>
#include <QFont>

class QWidget;

namespace semtra::window {

// A colour dialog object: it opens with the colour it holds and holds the last confirmed one.
struct ColorDialog {
    QColor Color = Qt::black;
};

// A font dialog object "with no effects": name, style (bold, italic) and size only. A size
// range of 0..0 means any size.
struct FontDialog {
    QFont Font;
    int MinFontSize = 0;
    int MaxFontSize = 0;
};

// How the settings commands ask the user; tests script confirm and cancel.
class SettingDialogs {
  public:
    virtual ~SettingDialogs() = default;
    // Each returns whether the user confirmed; only then is the chosen value written back.
    virtual bool pickColour(QWidget* parent, QColor& colour) = 0;
    virtual bool pickFont(QWidget* parent, QFont& font, int minSize, int maxSize) = 0;
};

// Qt's colour dialog and a small font dialog of our own, both modal: the event loop, and so
// every timer of the window, keeps running while one is open.
class QtSettingDialogs : public SettingDialogs {
  public:
    bool pickColour(QWidget* parent, QColor& colour) override;
    bool pickFont(QWidget* parent, QFont& font, int minSize, int maxSize) override;
};

// Opens a dialog object on its value and keeps what the user confirmed.
bool execute(SettingDialogs& dialogs, QWidget* parent, ColorDialog& dialog);
bool execute(SettingDialogs& dialogs, QWidget* parent, FontDialog& dialog);

// "MS Sans Serif" where it exists, else a packaged sans-serif of the same size.
QFont msSansSerif();

} // namespace semtra::window
