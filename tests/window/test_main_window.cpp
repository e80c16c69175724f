// The main window driven through its controls: a turn, the refresher, the shortcuts,
// start-up and exit, the input-line tools, idle remarks, the modes and the editor.

#include "fixture.hpp"
#include "window/input_tools.hpp"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

namespace semtra::test {

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> f;

    window::TForm1& shown() { return f->startShown(); }

  private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    void windowIsBuiltAsDefined() {
        window::TForm1& form = shown();
        QCOMPARE(form.windowTitle(), u("Разработчик: Ардин Семтра. v1.9274"));
        QCOMPARE(form.centralWidget()->size(), QSize(587, 361));
        QCOMPARE(form.Edit1()->maxLength(), 255);
        QCOMPARE(f->button("SpeedButton1")->text(), u("Сказать"));
        QCOMPARE(f->button("SpeedButton1")->focusPolicy(), Qt::NoFocus);
        QCOMPARE(f->button("SpeedButton2")->toolTip(),
                 u("Отмена (Альтернатива клавиша: <Ctrl + Z>)"));
        QCOMPARE(form.panel(2)->text(), u("Режим Cpu\\User"));
        const char* items[][2] = {{"N1", "&Система"},
                                  {"N2", "&Новый диалог"},
                                  {"N4", "&Выход"},
                                  {"N5", "&Настройки"},
                                  {"N13", "Вернуть первоначальные настройки"},
                                  {"CpuUser1", "&Cpu\\User"},
                                  {"Cpu31", "C&pu\\Cpu"},
                                  {"N38", "Ре&дактор"},
                                  {"N40", "&Full Screen"},
                                  {"N11", "С&правка"},
                                  {"N12", "&О программе..."}};
        for (const auto& item : items) {
            QAction* action = form.action(item[0]);
            QVERIFY2(action, item[0]);
            QCOMPARE(action->text(), u(item[1]));
        }
        QVERIFY(form.action("CpuUser1")->isChecked());
        QVERIFY(!form.action("Cpu31")->isChecked());
        QVERIFY(form.action("N13")->isChecked());
        const int intervals[7][2] = {{1, 1}, {1000, 1}, {1, 1}, {1, 0}, {1, 1}, {3000, 0}, {1, 1}};
        for (int i = 0; i < 7; ++i)
            QCOMPARE(form.timer(i + 1)->interval(), intervals[i][0]);
        QVERIFY(!form.timer(4)->enabled());
        QVERIFY(!form.timer(6)->enabled());
    }

    void wholeTurnThroughTheInputLine() {
        window::TForm1& form = shown();
        f->say(u("привет"));
        QCOMPARE(f->view(), QStringList({u("Привет."), u("Здравствуй!")}));
        QVERIFY(form.Edit1()->text().isEmpty());
        QCOMPARE(form.engine().RichEdit4().count(), 2);
        QCOMPARE(form.cursor().shape(), Qt::ForbiddenCursor);
        QCOMPARE(form.Edit1()->cursor().shape(), Qt::ForbiddenCursor);
        QVERIFY(f->sound.played.contains(2) && f->sound.played.contains(5));
        QVERIFY(f->sound.played.indexOf(2) < f->sound.played.indexOf(5));
        QCOMPARE(f->errors.shown, QStringList());
    }

    void refresherFollowsTheInputLineTheViewAndTheMode() {
        window::TForm1& form = shown();
        QVERIFY(!f->button("SpeedButton1")->isEnabled());
        QVERIFY(!f->button("SpeedButton3")->isEnabled());
        QVERIFY(!form.action("N3")->isEnabled());
        QVERIFY(!f->button("SpeedButton2")->isEnabled());
        QVERIFY(!form.action("N15")->isEnabled());
        QVERIFY(form.action("N36")->isEnabled());

        typeText(form.Edit1(), u(" "));
        form.Timer1Timer();
        QVERIFY(f->button("SpeedButton1")->isEnabled()); // a space is text
        QVERIFY(form.action("N3")->isEnabled());
        QTest::keyClick(form.Edit1(), Qt::Key_Insert);
        form.Timer1Timer();
        QVERIFY(f->button("SpeedButton2")->isEnabled());
        QVERIFY(form.action("N15")->isEnabled());
        QVERIFY(!f->button("SpeedButton1")->isEnabled());

        form.action("Cpu31")->trigger();
        QVERIFY(!form.timer(6)->enabled());
        form.Timer1Timer();
        QVERIFY(form.timer(6)->enabled());
        form.action("CpuUser1")->trigger();
        form.Timer1Timer();
        QVERIFY(!form.timer(6)->enabled());
    }

    void shortcutsBelongToTheMenu() {
        window::TForm1& form = shown();
        // Ctrl+Z with an empty view does nothing, and never undoes the typing.
        typeText(form.Edit1(), u("abc"));
        QTest::keyClick(form.Edit1(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form.Edit1()->text(), u("abc"));
        // Ctrl+S converts the layout; Insert says the line; Enter says nothing.
        QTest::keyClick(form.Edit1(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(form.Edit1()->text(), u("фис"));
        QTest::keyClick(form.Edit1(), Qt::Key_Return);
        QCOMPARE(f->view().size(), 0);
        form.Timer1Timer();
        QTest::keyClick(form.Edit1(), Qt::Key_Insert);
        QCOMPARE(f->view().size(), 2);
        form.Timer1Timer();
        QTest::keyClick(form.Edit1(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f->view().size(), 1);
        QCOMPARE(form.engine().RichEdit4().count(), 1);
        QVERIFY(form.timer(7)->enabled()); // undo shakes the window
    }

    void startUpStatisticsWithAndWithoutATable() {
        f->write("Base/Words.Dat", "//0\r\nА^Б;\r\n_В^Г;\r\n__Д^Е;\r\nЖ^\r\n");
        window::TForm1& form = f->start();
        form.Timer3Timer();
        QCOMPARE(form.panel(0)->text(), u("Загрузка окончена"));
        QCOMPARE(form.panel(1)->text(), u("Программе известно:   [главные фразы - 2   ветки - 2]"));
        QVERIFY(!form.timer(3)->enabled());
        QVERIFY(!form.Edit1()->isReadOnly());

        f = std::make_unique<WindowFixture>();
        std::filesystem::remove(f->root / "Base/Words.Dat");
        window::TForm1& bare = f->start();
        QCOMPARE(f->errors.shown, QStringList({u("Cannot open file Base\\Words.dat.")}));
        bare.Timer3Timer();
        QCOMPARE(f->errors.shown.last(), u("Cannot open file Base\\Words.Dat."));
        QCOMPARE(bare.panel(0)->text(), u("Идёт загрузка подождите..."));
        QVERIFY(bare.Edit1()->isReadOnly());
        QVERIFY(bare.timer(3)->enabled());
    }

    void exitCommandWritesTheLogBlockAndCloses() {
        window::TForm1& form = shown();
        f->say(u("привет"));
        form.action("N4")->trigger();
        QVERIFY(!form.isVisible());
        LineList log;
        log.load(FileSystem(f->root), "Base\\Log.Semtra");
        QCOMPARE(log.count(), 9);
        QCOMPARE(window::fromCp(log.get(5)), u("//Загружено фраз выученных программой: 2"));
        QCOMPARE(window::fromCp(log.get(6)), u("USER:     Привет."));
        QCOMPARE(log.get(8), std::string(53, '='));

        f = std::make_unique<WindowFixture>();
        std::filesystem::remove(f->root / "Base/Log.Semtra");
        window::TForm1& failing = shown();
        failing.action("N4")->trigger();
        QVERIFY(failing.isVisible()); // a failed exit keeps the window open
        QCOMPARE(f->errors.shown, QStringList({u("Cannot open file Base\\Log.Semtra.")}));
    }

    void layoutConversionTable() {
        const char* cases[][2] = {{"ghbdtn", "привет"},
                                  {"Ghbdtn", "Привет"},
                                  {"<>,.", "бю,."},
                                  {"`~", "ёЁ"},
                                  {"@#$^&/|\\", "\"№;:?./\\"},
                                  {"qwertyuiop[]", "йцукенгшщзхъ"},
                                  {"asdfghjkl;'", "фывапролдж'"},
                                  {"zxcvbnm", "ячсмить"},
                                  {"QWERTYUIOP{}", "ЙЦУКЕНГШЩЗХЪ"},
                                  {"ASDFGHJKL:\"", "ФЫВАПРОЛДЖЭ"},
                                  {"ZXCVBNM", "ЯЧСМИТЬ"},
                                  {"уже", "уже"}};
        for (const auto& c : cases)
            QCOMPARE(window::fromCp(window::convertLayout(window::toCp(u(c[0])))), u(c[1]));
        // Not idempotent: a bar becomes a slash, then a full stop.
        QCOMPARE(window::convertLayout(window::convertLayout("|")), std::string("."));
        QCOMPARE(window::fromCp(window::convertLayout(window::convertLayout("@"))), u("Э"));
    }

    void layoutButtonPlaysItsCueAndChangesOnlyWhatItConverts() {
        window::TForm1& form = shown();
        form.SpeedButton3Click();
        QCOMPARE(f->sound.played, QList<int>({3})); // no key cue for an unchanged line
        typeText(form.Edit1(), u("ghbdtn"));
        f->sound.played.clear();
        form.SpeedButton3Click();
        QCOMPARE(form.Edit1()->text(), u("привет"));
        QCOMPARE(f->sound.played, QList<int>({3, 1}));
    }

    void guardWalksOneCharacterPerTickAndClearsTheLine() {
        window::TForm1& form = shown();
        typeText(form.Edit1(), u("a^b"));
        form.Timer5Timer();
        QCOMPARE(form.Edit1()->text(), u("a^b"));
        form.Timer5Timer();
        QVERIFY(form.Edit1()->text().isEmpty());
        QVERIFY(!form.RichEdit1()->isEnabled());

        window::ReservedGuard guard;
        int ticks = 0;
        const std::string line = "abcd;";
        while (guard.tick(line) != window::ReservedGuard::Step::Found)
            ++ticks;
        QCOMPARE(ticks, 4);
        QCOMPARE(guard.cursor(), 5);
        // A shorter line later: the walk starts again at its first character.
        QCOMPARE(guard.tick("xy"), window::ReservedGuard::Step::Clean);
        QCOMPARE(guard.cursor(), 1);
        QCOMPARE(guard.tick("xy"), window::ReservedGuard::Step::Clean);
        QCOMPARE(guard.cursor(), 0);
        QCOMPARE(guard.tick(""), window::ReservedGuard::Step::Idle);
    }

    void undoRemovesTheLastLinesOneByOne() {
        window::TForm1& form = shown();
        f->say(u("привет"));
        form.SpeedButton2Click();
        QCOMPARE(f->view(), QStringList({u("Привет.")}));
        form.SpeedButton2Click();
        QCOMPARE(f->view(), QStringList());
        QCOMPARE(form.engine().RichEdit4().count(), 0);
        form.SpeedButton2Click(); // nothing left: nothing happens
        QCOMPARE(form.engine().RichEdit4().count(), 0);
    }

    void idleRemarkAtItsThreshold() {
        window::TForm1& form = shown();
        form.engine().state().IdleTicks = 58;
        f->random.draws = {89};
        form.Timer2Timer();
        QCOMPARE(f->view().size(), 0); // 59 ticks are never enough
        form.engine().state().IdleTicks = 89;
        f->random.draws = {59, 0};
        form.Timer2Timer();
        QCOMPARE(f->view(), QStringList({u("пауза")}));
        QCOMPARE(form.engine().state().IdleTicks, 0);
        QCOMPARE(form.engine().RichEdit4().count(), 0);

        std::filesystem::remove(f->root / "Base/Pause.Dat");
        form.engine().state().IdleTicks = 90;
        form.Timer2Timer();
        form.Timer2Timer();
        QCOMPARE(f->errors.shown.count(u("Cannot open file Base\\Pause.Dat.")),
                 2); // each tick reports; the error boxes keep one on screen
    }

    void modeSwitchesWriteTheirServiceLines() {
        window::TForm1& form = shown();
        form.action("CpuUser1")->trigger();
        form.action("Cpu31")->trigger();
        form.action("Cpu31")->trigger();
        QCOMPARE(f->view(), QStringList({u("Сервис:   // Режим диалога Cpu\\User."), QString(),
                                         u("Сервис:   // Режим диалога Cpu\\Cpu."),
                                         u("Сервис:   // Режим диалога Cpu\\Cpu.")}));
        QCOMPARE(form.panel(2)->text(), u("Режим Cpu\\Cpu"));
        QVERIFY(form.action("Cpu31")->isChecked());
        QVERIFY(!form.action("CpuUser1")->isChecked());
        QCOMPARE(form.RichEdit1()->lineFormat(0).foreground().color(), QColor(0, 128, 128));
        QCOMPARE(form.engine().RichEdit4().count(), 0);
    }

    void selfDialogueCycleThroughTheExchangeFile() {
        window::TForm1& form = shown();
        form.action("Cpu31")->trigger();
        form.Timer1Timer();
        f->editor->SpinEdit1()->setValue(1500);
        form.Timer6Timer();
        QCOMPARE(f->read("drives/d/Txt.Dat"), std::string("Здравствуй!\r\n"));
        QCOMPARE(form.timer(6)->interval(), 1500);
        QCOMPARE(f->view().mid(1), QStringList({u("Привет."), u("Здравствуй!")}));
        form.Timer6Timer();
        QCOMPARE(f->view().last(), u("реплика")); // the bot answers its own reply

        f->editor->Edit1()->setText(u("D:\\Other.Dat"));
        form.Timer6Timer();
        QVERIFY(std::filesystem::exists(f->root / "drives/d/Other.Dat"));
        std::filesystem::remove(f->root / "drives/d/Txt.Dat");
        form.Timer6Timer();
        QCOMPARE(f->errors.shown.last(), u("Cannot open file D:\\Txt.Dat."));
    }

    void timerKeepsItsRhythmWhenEnabledOrSetAgain() {
        window::VclTimer timer("T", 1000, true, nullptr);
        QCOMPARE(timer.starts(), 1);
        timer.setEnabled(true);
        timer.setInterval(1000);
        QCOMPARE(timer.starts(), 1);
        timer.setInterval(5000);
        QCOMPARE(timer.starts(), 2);
        timer.setEnabled(false);
        QVERIFY(!timer.running());
        timer.setInterval(3000); // a stopped timer only keeps the new interval
        QCOMPARE(timer.starts(), 2);
        timer.setEnabled(true);
        QCOMPARE(timer.starts(), 3);
    }

    void editorWindowHoldsTheModeSettings() {
        window::TForm1& form = shown();
        QCOMPARE(f->editor->windowTitle(), u("Редактор"));
        QCOMPARE(f->editor->Edit1()->text(), u("D:\\Txt.Dat"));
        QCOMPARE(f->editor->SpinEdit1()->value(), 1000);
        QCOMPARE(f->editor->SpinEdit1()->minimum(), 1);
        QCOMPARE(f->editor->SpinEdit1()->maximum(), 60000);
        f->editor->SpinEdit1()->findChild<QLineEdit*>()->clear();
        QCOMPARE(f->editor->interval(), 1); // no whole number reads as 1
        f->editor->SpinEdit1()->setValue(1000);

        form.action("N38")->trigger();
        QVERIFY(!form.timer(1)->enabled());
        QVERIFY(!form.isEnabled());
        QVERIFY(f->editor->isVisible());
        QVERIFY(f->editor->Timer1()->enabled());
        QApplication::setActiveWindow(f->editor.get());
        QVERIFY(QTest::qWaitForWindowActive(f->editor.get()));

        f->random.draws = {0};
        f->editor->Timer1Timer();
        QCOMPARE(QApplication::focusWidget(), f->editor->Edit1());
        f->random.draws = {1};
        f->editor->Timer1Timer();
        QVERIFY(f->editor->SpinEdit1()->hasFocus());

        f->editor->Edit1()->setText(u("/tmp/elsewhere.dat"));
        QVERIFY(!form.action("N13")->isChecked());
        f->editor->Button2Click();
        QVERIFY(!f->editor->isVisible());
        QVERIFY(form.isEnabled());
        QVERIFY(form.timer(1)->enabled());
        QVERIFY(!f->editor->Timer1()->enabled());
        QCOMPARE(f->editor->Edit1()->text(), u("/tmp/elsewhere.dat")); // Cancel keeps the edit
    }

    void errorBoxesDoNotPileUp() {
        QWidget parent;
        window::ErrorBoxes boxes(&parent);
        boxes.showError(u("Cannot open file Base\\Pause.Dat."));
        boxes.showError(u("Cannot open file Base\\Pause.Dat."));
        QCOMPARE(parent.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
        QVERIFY(boxes.isShowing(u("Cannot open file Base\\Pause.Dat.")));
    }
};

} // namespace semtra::test

QTEST_MAIN(semtra::test::MainWindowTest)
#include "test_main_window.moc"
