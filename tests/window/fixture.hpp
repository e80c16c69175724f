#pragma once

// A main window on a scratch data folder, with the clock, the generator, the error boxes
// and the sound scripted.

#include "engine/codec.hpp"
#include "modes/Unit2.hpp"
#include "modes/Unit3.hpp"
#include "window/Unit1.hpp"
#include "window/dialogue_view.hpp"
#include "window/text.hpp"
#include "window/vcl_timer.hpp"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStringList>
#include <QTest>
#include <QToolButton>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

namespace semtra::test {

class Clock : public semtra::Clock {
  public:
    std::int32_t ms = 5000;
    std::int32_t msOfDay() override { return ms++; }
    std::string shortDate() override { return "11.12.2026"; }
    std::string longTime() override { return "14:42:51"; }
};

class Random : public RandomSource {
  public:
    std::deque<std::int32_t> draws;
    void seed(std::uint32_t) override {}
    std::int32_t uniform(std::int32_t n) override {
        if (draws.empty())
            return n > 0 ? n - 1 : 0; // the top of every range: thresholds and jumps end at once
        const std::int32_t value = draws.front();
        draws.pop_front();
        return value;
    }
};

class Errors : public window::ErrorSink {
  public:
    QStringList shown;
    void showError(const QString& message) override { shown << message; }
};

class Sound : public window::SoundCues {
  public:
    QList<int> played;
    void play(int player) override { played << player; }
};

// Colour and font dialogs that answer from a script: a value confirms it, nothing (or an
// empty script) cancels. Each records what it was opened with.
class Dialogs : public window::SettingDialogs {
  public:
    std::deque<std::optional<QColor>> colours;
    std::deque<std::optional<QFont>> fonts;
    QList<QColor> colourOpenedWith;
    QList<QFont> fontOpenedWith;
    QList<QPair<int, int>> fontRanges;

    bool pickColour(QWidget*, QColor& colour) override {
        colourOpenedWith << colour;
        return answer(colours, colour);
    }
    bool pickFont(QWidget*, QFont& font, int minSize, int maxSize) override {
        fontOpenedWith << font;
        fontRanges << qMakePair(minSize, maxSize);
        return answer(fonts, font);
    }

  private:
    template <class T> static bool answer(std::deque<std::optional<T>>& script, T& value) {
        if (script.empty())
            return false;
        const std::optional<T> next = script.front();
        script.pop_front();
        if (next)
            value = *next;
        return next.has_value();
    }
};

// Types text as key presses carrying it (QTest's own typing knows only ASCII keys).
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

// The folder, its files (UTF-8 text stored as 1251) and one set of windows on it.
class WindowFixture {
  public:
    WindowFixture() {
        static int counter = 0;
        root = std::filesystem::temp_directory_path() /
               ("semtra-window-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(root);
        write("Base/Words.Dat", "//0\r\nПРИВЕТ^Здравствуй!;\r\n_ДА^Ну да.;\r\n");
        write("Base/Pause.Dat", "пауза\r\n");
        write("Base/Povtor.Dat", "повтор\r\n");
        write("Base/X.Dat", "оскорбление\r\n");
        write("Base/BigString.Dat", "длинно\r\n");
        write("Base/W1.Dat", "ответ\r\n");
        write("Base/W2.Dat", "реплика\r\n");
        write("Base/Log.Semtra", "");
        write("drives/d/Txt.Dat", "привет\r\n");
    }
    ~WindowFixture() {
        about.reset();
        editor.reset();
        form.reset();
        std::error_code error;
        std::filesystem::remove_all(root, error);
    }

    void write(const std::string& relative, std::string_view utf8) const {
        const auto file = root / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << codec::fromUtf8(utf8);
    }
    std::string read(const std::string& relative) const {
        std::ifstream in(root / relative, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
        return codec::toUtf8(bytes);
    }

    window::TForm1& start() {
        window::Form1Services services{FileSystem(root, root / "drives")};
        services.clock = &clock;
        services.random = &random;
        services.errors = &errors;
        services.sound = &sound;
        services.dialogs = &dialogs;
        services.moved = [this](QPoint spot) { jumps << spot; };
        form = std::make_unique<window::TForm1>(std::move(services));
        editor = std::make_unique<window::TForm2>(form.get(), clock, random);
        about = std::make_unique<window::TForm3>(form.get());
        form->setSideWindows(editor.get(), about.get());
        return *form;
    }

    // The window shown and active, past its start-up statistics and first refresh.
    window::TForm1& startShown() {
        window::TForm1& window = start();
        window.show();
        QApplication::setActiveWindow(&window);
        [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(&window);
        window.Timer3Timer();
        window.Timer1Timer();
        return window;
    }

    // The view's lines as text.
    QStringList view() const {
        QStringList lines;
        for (int i = 0; i < form->RichEdit1()->lineCount(); ++i)
            lines << form->RichEdit1()->line(i);
        return lines;
    }
    QToolButton* button(const char* name) const {
        return form->findChild<QToolButton*>(QString::fromLatin1(name));
    }
    // Types a line and submits it with the Insert key.
    void say(const QString& text) {
        form->Timer1Timer();
        typeText(form->Edit1(), text);
        form->Timer1Timer();
        QTest::keyClick(form->Edit1(), Qt::Key_Insert);
    }

    std::filesystem::path root;
    Clock clock;
    Random random;
    Errors errors;
    Sound sound;
    Dialogs dialogs;
    QList<QPoint> jumps; // every spot the shake jumped to
    std::unique_ptr<window::TForm1> form;
    std::unique_ptr<window::TForm2> editor;
    std::unique_ptr<window::TForm3> about;
};

inline QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace semtra::test
