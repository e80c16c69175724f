// The About window driven through the menu and its own controls: opening and closing,
// the history panel and where a click lands.

#include "fixture.hpp"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>

namespace semtra::test {

class AboutTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> f;

    window::TForm1& shown() { return f->startShown(); }
    window::TForm3& opened() {
        shown().action("N12")->trigger();
        return *f->about;
    }
    template <class Widget> Widget* child(const char* name) const {
        return f->about->findChild<Widget*>(QString::fromLatin1(name));
    }
    void press(const char* name) { QTest::mouseClick(child<QWidget>(name), Qt::LeftButton); }
    // Whether the history memo lies whole inside the window's client area.
    bool memoOnScreen() const {
        const QWidget* memo = f->about->Memo1();
        const QRect inWindow(memo->mapTo(f->about.get(), QPoint(0, 0)), memo->size());
        return f->about->rect().contains(inWindow);
    }

  private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    void windowIsBuiltAsDefined() {
        window::TForm3& about = opened();
        QCOMPARE(about.windowTitle(), u("О программе"));
        QVERIFY(about.windowFlags() & Qt::Tool);
        QVERIFY(!(about.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(about.windowFlags() & Qt::WindowSystemMenuHint));
        QCOMPARE(child<QToolButton>("SpeedButton1")->text(),
                 u("                          ВЕРСИЯ: 1.9274"));
        QCOMPARE(child<QPushButton>("Button1")->text(), u("История"));
        const QPixmap picture = child<QLabel>("QRImage1")->pixmap();
        QCOMPARE(picture.size(), QSize(179, 132)); // the embedded picture did load
        QVERIFY(about.Memo1()->isReadOnly());
        QVERIFY(about.Memo1()->toPlainText().isEmpty()); // nothing is read before a press
    }

    void openingHoldsTheMainWindowUntilTheVersionButton() {
        f->write("ReadMe.Txt", "История\r\n");
        window::TForm3& about = opened();
        window::TForm1& form = *f->form;
        QVERIFY(about.isVisible());
        QCOMPARE(about.formHeight(), 179);
        QCOMPARE(about.height(), 152);
        QVERIFY(!form.isEnabled());
        QVERIFY(!form.timer(1)->enabled());

        press("Button1");
        QCOMPARE(about.formHeight(), 327);
        press("SpeedButton1");
        QVERIFY(!about.isVisible());
        QVERIFY(form.isEnabled());
        QVERIFY(form.timer(1)->enabled());

        form.action("N12")->trigger(); // closed with the history shown, it opens without
        QVERIFY(about.isVisible());
        QCOMPARE(about.formHeight(), 179);
        QVERIFY(!memoOnScreen());
        QVERIFY(!form.isEnabled());
    }

    void historyPressesToggleAndReadTheFileAgain() {
        struct Press {
            const char* file;
            int height;
            int clientHeight;
            const char* memo;
        };
        const Press presses[] = {
            {"Версия 1.0\r\nПервая.\r\n", 327, 300, "Версия 1.0\nПервая.\n"},
            {"Версия 1.1\nВторая.", 179, 152, "Версия 1.1\nВторая."},
            {"Версия 1.2\rТретья.\r\n\r\nКонец", 327, 300, "Версия 1.2\nТретья.\n\nКонец"},
        };
        window::TForm3& about = opened();
        for (const Press& step : presses) {
            f->write("ReadMe.Txt", step.file);
            press("Button1");
            QCOMPARE(about.formHeight(), step.height);
            QCOMPARE(about.height(), step.clientHeight);
            QCOMPARE(memoOnScreen(), step.height == 327);
            QCOMPARE(about.Memo1()->toPlainText(), u(step.memo));
        }
        QVERIFY(f->errors.shown.isEmpty());
    }

    void missingHistoryIsReportedAndKeepsTheHeight() {
        window::TForm3& about = opened();
        press("Button1");
        QCOMPARE(f->errors.shown, QStringList{u("Cannot open file ReadMe.Txt.")});
        QCOMPARE(about.formHeight(), 179);

        f->write("ReadMe.Txt", "Версия 1.9274");
        press("Button1");
        QCOMPARE(about.formHeight(), 327);
        std::filesystem::remove(f->root / "ReadMe.Txt");
        press("Button1");
        QCOMPARE(f->errors.shown.size(), 2);
        QCOMPARE(about.formHeight(), 327);
        QCOMPARE(about.Memo1()->toPlainText(), u("Версия 1.9274"));
        QVERIFY(about.isVisible());
    }

    void onlyTheVersionButtonCloses_data() {
        QTest::addColumn<QPoint>("spot"); // in the window's client area
        QTest::addColumn<QString>("hit");
        QTest::addColumn<bool>("closes");
        QTest::newRow("picture") << QPoint(96, 76) << "QRImage1" << false;
        QTest::newRow("picture's corner") << QPoint(183, 143) << "QRImage1" << false;
        QTest::newRow("history button") << QPoint(279, 132) << "Button1" << false;
        QTest::newRow("version text") << QPoint(290, 77) << "SpeedButton1" << true;
        QTest::newRow("top right of the panel") << QPoint(360, 12) << "SpeedButton1" << true;
        QTest::newRow("below the picture") << QPoint(96, 147) << "SpeedButton1" << true;
    }
    void onlyTheVersionButtonCloses() {
        QFETCH(QPoint, spot);
        QFETCH(QString, hit);
        QFETCH(bool, closes);
        f->write("ReadMe.Txt", "Версия 1.9274");
        window::TForm3& about = opened();
        QWidget* target = about.childAt(spot);
        QVERIFY(target);
        QCOMPARE(target->objectName(), hit);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&about, spot));
        QCOMPARE(about.isVisible(), !closes);
        QCOMPARE(f->form->isEnabled(), closes);
    }
};

} // namespace semtra::test

QTEST_MAIN(semtra::test::AboutTest)
#include "test_about.moc"
