// The new-dialogue command, the shake, the shrink-and-exit and the order of the cues.

#include "fixture.hpp"

#include <QMenu>
#include <QMenuBar>
#include <QScreen>

namespace semtra::test {

class EffectsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> f;

    window::TForm1& shown() { return f->startShown(); }

    QPoint centred(window::TForm1& form) {
        const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
        const QSize size = form.frameGeometry().size();
        return desktop.center() - QPoint(size.width() / 2, size.height() / 2);
    }
    QList<bool> menusEnabled(window::TForm1& form) {
        QList<bool> enabled;
        for (const char* menu : {"N1", "N5", "N11"})
            enabled << form.action(menu)->isEnabled();
        return enabled;
    }

  private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    void newDialogueClearsTheViewAndTheTranscriptButLearningGoesOn() {
        f->write("Base/Words.Dat", "//0\r\nПРИВЕТ^Здравствуй!;\r\n_ДА^Ну да.;\r\nЗДРАВСТВУЙ!^\r\n");
        window::TForm1& form = shown();
        f->say(u("привет"));
        typeText(form.Edit1(), u("x"));
        f->sound.played.clear();
        form.action("N2")->trigger();
        QCOMPARE(f->view(), QStringList());
        QCOMPARE(form.engine().RichEdit4().count(), 0);
        QVERIFY(form.Edit1()->text().isEmpty());
        QCOMPARE(form.engine().state().BranchDepth, 1);
        QVERIFY(form.timer(7)->enabled());
        form.Timer7Timer();
        QCOMPARE(f->sound.played, QList<int>({1, 4})); // the cleared line, then the shake

        f->say(u("утка"));
        LineList table;
        table.load(FileSystem(f->root), "Base\\Words.Dat");
        // The bot's reply from before the command took the next line as its answer.
        QCOMPARE(window::fromCp(table.get(table.count() - 1)), u("ЗДРАВСТВУЙ!^Утка.;"));
    }

    void shakeJumpsWithinTheSquareAndRestoresEverything() {
        window::TForm1& form = shown();
        struct Case {
            std::deque<std::int32_t> countDraws;
            int jumps;
        };
        // 1 + draw, drawn again while below 125: 0 and 123 fall short, 124 gives 125.
        const Case cases[] = {{{0, 123, 124}, 125}, {{249}, 250}};
        for (const Case& shake : cases) {
            f->jumps.clear();
            f->sound.played.clear();
            f->random.draws = shake.countDraws;
            for (int jump = 0; jump < shake.jumps; ++jump) {
                const bool low = jump % 2 == 0;
                f->random.draws.insert(f->random.draws.end(), {3, low ? 94 : 104, low ? 104 : 94});
            }
            form.Edit1()->setReadOnly(true);
            form.action("N5")->setEnabled(false);
            form.timer(7)->setEnabled(true);
            form.Timer7Timer();
            QCOMPARE(f->jumps.size(), shake.jumps);
            QCOMPARE(f->jumps.first(), QPoint(95, 105));
            QCOMPARE(f->jumps.at(1), QPoint(105, 95));
            for (const QPoint& spot : f->jumps)
                QVERIFY(spot.x() >= 95 && spot.x() <= 105 && spot.y() >= 95 && spot.y() <= 105);
            QVERIFY(f->random.draws.empty());
            QCOMPARE(f->sound.played, QList<int>({4}));
            QCOMPARE(form.pos(), centred(form));
            QVERIFY(!form.Edit1()->isReadOnly());
            QCOMPARE(menusEnabled(form), QList<bool>({true, true, true}));
            QVERIFY(!form.timer(7)->enabled());
        }
    }

    void farewellShrinksForEightyTicksAndExitsAtTheLast() {
        window::TForm1& form = shown();
        f->say(u("пока"));
        QVERIFY(form.timer(4)->enabled());
        f->sound.played.clear();
        const QPoint start = form.pos();
        const QSize size = form.size();
        for (int tick = 1; tick < 80; ++tick) {
            form.Timer4Timer();
            if (tick == 9)
                QCOMPARE(f->sound.played.count(6), 0);
        }
        QVERIFY(form.isVisible());
        QCOMPARE(f->sound.played.count(6), 70); // the closing cue from the 10th tick on
        QCOMPARE(form.pos(), start - QPoint(3 * 79, 2 * 79));
        QCOMPARE(form.width(), std::max(size.width() - 10 * 79, 1));
        form.Timer4Timer();
        QVERIFY(!form.isVisible());
        QVERIFY(!form.timer(4)->enabled());
        QCOMPARE(f->sound.played.count(6), 71);
        LineList log;
        log.load(FileSystem(f->root), "Base\\Log.Semtra");
        QCOMPARE(log.count(), 9);
    }

    void failingExitAtTheLastTickKeepsTryingWithoutShrinking() {
        window::TForm1& form = shown();
        f->say(u("пока"));
        std::filesystem::remove(f->root / "Base/Log.Semtra");
        for (int tick = 1; tick <= 80; ++tick)
            form.Timer4Timer();
        const QString failure = u("Cannot open file Base\\Log.Semtra.");
        QCOMPARE(f->errors.shown, QStringList({failure}));
        const QPoint stopped = form.pos();
        const int cues = f->sound.played.count(6);
        QCOMPARE(cues, 70); // the 80th tick ended before its cue
        for (int tick = 0; tick < 3; ++tick)
            form.Timer4Timer();
        QVERIFY(form.isVisible());
        QVERIFY(form.timer(4)->enabled());
        QCOMPARE(form.pos(), stopped);
        QCOMPARE(f->sound.played.count(6), cues);
        QCOMPARE(f->errors.shown.count(failure), 4); // one per try; the error box shows one

        f->write("Base/Log.Semtra", "");
        form.Timer4Timer();
        QVERIFY(!form.isVisible());
        QVERIFY(!form.timer(4)->enabled());
    }

    void cuesOfAnOrdinaryTurnAndOfTyping() {
        window::TForm1& form = shown();
        form.Timer1Timer();
        typeText(form.Edit1(), u("привет"));
        QCOMPARE(f->sound.played.count(1), 6); // one key cue per change
        form.Timer1Timer();
        f->sound.played.clear();
        QTest::keyClick(form.Edit1(), Qt::Key_Insert);
        QCOMPARE(f->sound.played, QList<int>({2, 5, 1}));

        f->sound.played.clear();
        form.Edit1()->setText(QString());   // the text it already has: no change
        form.Edit1()->insert(u("вставка")); // a paste is one change
        QCOMPARE(f->sound.played, QList<int>({1}));

        f->sound.played.clear();
        form.engine().state().IdleTicks = 89;
        f->random.draws = {59, 0};
        form.Timer2Timer();
        QCOMPARE(f->sound.played, QList<int>({5})); // an idle remark: the bot-line cue only
    }
};

} // namespace semtra::test

QTEST_MAIN(semtra::test::EffectsTest)
#include "test_effects.moc"
