#pragma once

#include "engine/engine.hpp"
#include "window/appearance.hpp"
#include "window/error_box.hpp"
#include "window/input_tools.hpp"
#include "window/sound.hpp"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QStatusBar;
class QToolButton;
class QFrame;
class QTextCharFormat;

namespace semtra::window {

class DialogueView;
class VclTimer;
class TForm2;
class TForm3;

// What the main window takes from outside, so tests can script it.
struct Form1Services {
    explicit Form1Services(FileSystem folder) : files(std::move(folder)) {}

    FileSystem files;
    Clock* clock = nullptr;            // the system clock when null
    RandomSource* random = nullptr;    // the program's generator when null
    ErrorSink* errors = nullptr;       // error boxes when null
    SoundCues* sound = nullptr;        // silence when null
    SettingDialogs* dialogs = nullptr; // Qt's dialogs when null
    // Told every spot the window effects move the window to, jump by jump.
    std::function<void(QPoint)> moved;
};

// The main window: the dialogue view, the input bar, the status bar, the menu and the
// timers. Its handlers delegate to the engine and to small helpers per concern.
class TForm1 : public QMainWindow, public Host {
    Q_OBJECT
  public:
    explicit TForm1(Form1Services services, QWidget* parent = nullptr);
    ~TForm1() override;

    // The side windows, created after this one.
    void setSideWindows(TForm2* editor, TForm3* about);

    Engine& engine() { return *m_engine; }
    DialogueView* RichEdit1() const { return m_view; }
    QLineEdit* Edit1() const { return m_edit; }
    VclTimer* timer(int number) const { return m_timers[number - 1]; }
    QLabel* panel(int index) const { return m_panels[index]; }
    QAction* action(const char* name) const;

    // Handlers, named after their component and event.
    void FormCreate();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void N2Click();
    void N3Click() { SpeedButton1Click(); }
    void N4Click();
    void N15Click() { SpeedButton2Click(); }
    void N36Click() { SpeedButton3Click(); }
    void CpuUser1Click();
    void Cpu31Click();
    void N38Click();
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void Timer4Timer();
    void Timer5Timer();
    void Timer6Timer();
    void Timer7Timer();
    void Edit1Change();
    void editorClosed();
    void N6Click();
    void N21Click();
    void N16Click();
    void N9Click();
    void User1Click();
    void Cpu1Click();
    void Mystring2Click();
    void User2Click();
    void Cpu2Click();
    void Mystring1Click();
    void N13Click();
    void N40Click();
    void N12Click();
    void aboutClosed();

    // Runs an event handler under the one guard: a failure is reported, never thrown on.
    void guard(const std::function<void()>& handler) { guarded(*m_errors, handler); }
    void run(void (TForm1::*handler)()) {
        guard([this, handler] { (this->*handler)(); });
    }

    // Host: what a turn needs of the window.
    std::string inputText() override;
    void clearInput() override;
    bool cpuUserChecked() override;
    bool cpu3Checked() override;
    int viewLineCount() override;
    std::string viewLine(int index) override;
    void appendViewLine(const std::string& text, LineStyle style) override;
    void setCursors(Cursor cursor) override;
    void playCue(Cue cue) override;
    std::string exchangeWritePath() override;
    void enableTimer4() override;

    // The dialog objects, which hold the settings: ColorDialog1 is shared by five commands
    // and colours idle remarks; 2 and 3 colour the user's and the bot's lines; FontDialog1
    // and 2 are their fonts; FontDialog3 styles the input line.
    ColorDialog ColorDialog1;
    ColorDialog ColorDialog2;
    ColorDialog ColorDialog3;
    FontDialog FontDialog1;
    FontDialog FontDialog2;
    FontDialog FontDialog3;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void buildMenu();
    void buildTimers();
    void nameMenu(QMenu* menu, const char* name);
    QAction* addItem(QMenu* menu, const char* name, const char* caption, void (TForm1::*handler)());
    QAction* addShortcutSeparator(QMenu* menu, const char* name, const QKeySequence& key,
                                  void (TForm1::*handler)());
    void setServiceMode(bool cpu);
    void exitCommand();
    // The window's placement, one property at a time, as the effects change it.
    void setTop(int top);
    void setLeft(int left);
    void setWindowWidth(int width);
    void setWindowHeight(int height);
    void fixNormalSize();
    void placeControls(bool full);
    void followBottomEdge();
    void unsetRestoreMark();
    void applyToSelection(const QTextCharFormat& format);
    void lineColourCommand(ColorDialog& dialog);
    void lineFontCommand(FontDialog& dialog);
    void setCaptionColour(QToolButton* button, const QColor& colour);

    std::unique_ptr<Clock> m_ownClock;
    std::unique_ptr<RandomSource> m_ownRandom;
    std::unique_ptr<ErrorSink> m_ownErrors;
    std::unique_ptr<SoundCues> m_ownSound;
    std::unique_ptr<SettingDialogs> m_ownDialogs;
    SettingDialogs* m_dialogs;
    std::function<void(QPoint)> m_moved;
    Clock* m_clock;
    RandomSource* m_random;
    ErrorSink* m_errors;
    SoundCues* m_sound;
    std::unique_ptr<Engine> m_engine;

    TForm2* m_editor = nullptr;
    TForm3* m_about = nullptr;
    QFrame* m_tab1 = nullptr;
    QFrame* m_tab2 = nullptr;
    DialogueView* m_view = nullptr;
    QLineEdit* m_edit = nullptr;
    QToolButton* m_say = nullptr;
    QToolButton* m_undo = nullptr;
    QToolButton* m_layout = nullptr;
    QStatusBar* m_status = nullptr;
    QLabel* m_panels[3] = {};
    QMenu* m_menus[3] = {};
    VclTimer* m_timers[7] = {};
    QHash<QString, QAction*> m_actions; // menu items by name: the refresher asks every tick
    ReservedGuard m_guard;
    QWidget* m_client = nullptr;
    int m_tag = 0;        // shrink counter
    QPoint m_normalPlace; // where the window stood before the full-screen layout
};

} // namespace semtra::window
