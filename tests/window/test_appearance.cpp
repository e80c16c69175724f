// The settings menu: line styles held by the dialog objects, the view's selection,
// restore defaults and the full-screen layout.

#include "fixture.hpp"

#include <QTextBlock>
#include <QTextCursor>

namespace semtra::test {

namespace {

QFont font(const char* family, int size, bool bold, bool italic) {
    QFont chosen(QString::fromLatin1(family));
    chosen.setPointSize(size);
    chosen.setBold(bold);
    chosen.setItalic(italic);
    return chosen;
}

QColor colour(QWidget* widget, QPalette::ColorRole role) {
    return widget->palette().color(QPalette::Active, role);
}

} // namespace

class AppearanceTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> f;

    window::TForm1& shown() { return f->startShown(); }

    // Selects the whole of one line of the view.
    void selectLine(window::TForm1& form, int index) {
        const QTextBlock block = form.RichEdit1()->document()->findBlockByNumber(index);
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        form.RichEdit1()->setTextCursor(cursor);
    }
    QTextCharFormat formatAt(window::TForm1& form, int index) {
        return form.RichEdit1()->lineFormat(index);
    }

  private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    void confirmedDialogsStyleTheNextLinesOnly() {
        window::TForm1& form = shown();
        f->say(u("привет"));
        f->dialogs.colours = {QColor(Qt::red), QColor(Qt::blue)};
        f->dialogs.fonts = {font("DejaVu Serif", 12, true, false)};
        form.action("User1")->trigger();
        form.action("Cpu1")->trigger();
        form.action("User2")->trigger();
        QCOMPARE(f->dialogs.colourOpenedWith, QList<QColor>({Qt::black, Qt::black}));
        f->say(u("привет"));
        QCOMPARE(f->view().size(), 4);
        QCOMPARE(formatAt(form, 0).foreground().color(),
                 QColor(Qt::black)); // earlier lines keep theirs
        QCOMPARE(formatAt(form, 1).foreground().color(), QColor(Qt::black));
        const QTextCharFormat user = formatAt(form, 2);
        QCOMPARE(user.foreground().color(), QColor(Qt::red));
        QCOMPARE(user.fontFamilies().toStringList().value(0), u("DejaVu Serif"));
        QCOMPARE(user.fontPointSize(), 12.0);
        QCOMPARE(user.fontWeight(), int(QFont::Bold));
        const QTextCharFormat bot = formatAt(form, 3);
        QCOMPARE(bot.foreground().color(), QColor(Qt::blue));
        QCOMPARE(bot.fontPointSize(), 8.0);
        QCOMPARE(bot.fontWeight(), int(QFont::Normal));
        // The dialogs open on what they hold.
        f->dialogs.colours.clear();
        form.action("User1")->trigger();
        QCOMPARE(f->dialogs.colourOpenedWith.last(), QColor(Qt::red));
        form.action("User2")->trigger();
        QCOMPARE(f->dialogs.fontOpenedWith.last().family(), u("DejaVu Serif"));
    }

    void selectionTakesColoursAtOnceAndACancelledFontsSizeAndStyle() {
        window::TForm1& form = shown();
        f->say(u("привет"));
        selectLine(form, 1);
        f->dialogs.colours = {QColor(Qt::darkGreen)};
        form.action("Cpu1")->trigger();
        QCOMPARE(formatAt(form, 1).foreground().color(), QColor(Qt::darkGreen));
        QCOMPARE(formatAt(form, 0).foreground().color(), QColor(Qt::black));

        form.FontDialog1.Font = font("DejaVu Serif", 14, false, true);
        selectLine(form, 0);
        form.action("User2")->trigger(); // cancelled
        const QTextCharFormat cancelled = formatAt(form, 0);
        QCOMPARE(cancelled.fontPointSize(), 14.0);
        QVERIFY(cancelled.fontItalic());
        QVERIFY(cancelled.fontFamilies().toStringList().value(0) != u("DejaVu Serif"));
        QCOMPARE(form.FontDialog1.Font.family(), u("DejaVu Serif")); // cancel keeps the value

        // With nothing selected the format goes to what the next added text takes: an
        // idle remark takes the font and only sets its own colour.
        form.RichEdit1()->setTextCursor(QTextCursor(form.RichEdit1()->document()));
        f->dialogs.colours = {QColor(Qt::magenta)};
        form.action("N6")->trigger(); // the shared dialog also colours idle remarks
        form.action("User2")->trigger();
        form.engine().state().IdleTicks = 89;
        f->random.draws = {59, 0};
        form.Timer2Timer();
        const QTextCharFormat remark = formatAt(form, f->view().size() - 1);
        QCOMPARE(f->view().last(), u("пауза"));
        QCOMPARE(remark.foreground().color(), QColor(Qt::magenta));
        QCOMPARE(remark.fontPointSize(), 14.0);
    }

    void buttonCaptionsOpenThreeDialogsInARow() {
        window::TForm1& form = shown();
        f->dialogs.colours = {QColor(Qt::red), std::nullopt, QColor(Qt::blue)};
        form.action("N9")->trigger();
        QCOMPARE(f->dialogs.colourOpenedWith, QList<QColor>({Qt::black, Qt::red, Qt::red}));
        QCOMPARE(colour(f->button("SpeedButton1"), QPalette::ButtonText), QColor(Qt::red));
        QCOMPARE(colour(f->button("SpeedButton2"), QPalette::ButtonText), QColor(Qt::black));
        QCOMPARE(colour(f->button("SpeedButton3"), QPalette::ButtonText), QColor(Qt::blue));
        QCOMPARE(form.ColorDialog1.Color, QColor(Qt::blue));
    }

    void everyCommandClearsTheRestoreMarkEvenWhenCancelled() {
        window::TForm1& form = shown();
        for (const char* item : {"N6", "N21", "N16", "N9", "User1", "Cpu1", "Mystring2", "User2",
                                 "Cpu2", "Mystring1"}) {
            form.action("N13")->trigger();
            QVERIFY(form.action("N13")->isChecked());
            form.action(item)->trigger();
            QVERIFY2(!form.action("N13")->isChecked(), item);
        }
        QCOMPARE(f->dialogs.fontRanges.last(), qMakePair(8, 8)); // the input font's sizes
    }

    void inputFontTakesAConfirmedNameAndAlwaysTheStyle() {
        window::TForm1& form = shown();
        const QFont before = form.Edit1()->font();
        form.FontDialog3.Font.setItalic(true);
        form.action("Mystring1")->trigger(); // cancelled: the style only
        QVERIFY(form.Edit1()->font().italic());
        QCOMPARE(form.Edit1()->font().family(), before.family());
        f->dialogs.fonts = {font("DejaVu Serif", 20, true, false)};
        form.action("Mystring1")->trigger();
        QCOMPARE(form.Edit1()->font().family(), u("DejaVu Serif"));
        QVERIFY(form.Edit1()->font().bold() && !form.Edit1()->font().italic());
        QCOMPARE(form.Edit1()->font().pointSizeF(), before.pointSizeF()); // never resized
        QCOMPARE(form.FontDialog3.Font.pointSize(), 8); // the dialog's range holds
    }

    void restoreDefaultsResetsEveryRowOfItsTable() {
        window::TForm1& form = shown();
        f->dialogs.colours = {QColor(Qt::red),  QColor(Qt::green),  QColor(Qt::blue),
                              QColor(Qt::cyan), QColor(Qt::cyan),   QColor(Qt::cyan),
                              QColor(Qt::gray), QColor(Qt::yellow), QColor(Qt::darkRed)};
        f->dialogs.fonts = {font("DejaVu Serif", 12, true, true),
                            font("DejaVu Serif", 14, true, false),
                            font("DejaVu Serif", 8, true, true)};
        for (const char* item :
             {"N6", "N21", "N16", "N9", "Mystring2", "User1", "Cpu1", "User2", "Cpu2", "Mystring1"})
            form.action(item)->trigger();
        f->editor->Edit1()->setText(u("/tmp/other.dat"));
        f->editor->SpinEdit1()->setValue(250);
        f->about->setFormHeight(327);

        form.action("N13")->trigger();
        const QColor silver(192, 192, 192);
        QVERIFY(form.action("N13")->isChecked()); // also after the editor's fields changed
        QCOMPARE(colour(&form, QPalette::Window), silver);
        QCOMPARE(colour(form.RichEdit1()->viewport(), QPalette::Base), silver);
        QCOMPARE(colour(form.Edit1(), QPalette::Base), silver);
        QCOMPARE(colour(form.Edit1(), QPalette::Text), QColor(Qt::black));
        QVERIFY(form.Edit1()->font().bold() && !form.Edit1()->font().italic());
        QCOMPARE(form.Edit1()->font().family(), u("DejaVu Serif")); // the name stays
        for (const char* button : {"SpeedButton1", "SpeedButton2", "SpeedButton3"})
            QCOMPARE(colour(f->button(button), QPalette::ButtonText), QColor(Qt::black));
        for (const window::ColorDialog* dialog :
             {&form.ColorDialog1, &form.ColorDialog2, &form.ColorDialog3})
            QCOMPARE(dialog->Color, QColor(Qt::black));
        for (const window::FontDialog* dialog : {&form.FontDialog1, &form.FontDialog2}) {
            QCOMPARE(dialog->Font.family(), u("MS Sans Serif"));
            QCOMPARE(dialog->Font.pointSize(), 8);
            QVERIFY(!dialog->Font.bold() && !dialog->Font.italic());
        }
        QCOMPARE(form.FontDialog3.Font.family(), u("MS Sans Serif"));
        QVERIFY(form.FontDialog3.Font.bold() && form.FontDialog3.Font.italic()); // its style stays
        QCOMPARE(f->editor->Edit1()->text(), u("D:\\Txt.Dat"));
        QCOMPARE(f->editor->SpinEdit1()->value(), 1000);
        QCOMPARE(f->about->formHeight(), 179);
        QVERIFY(!form.action("N40")->isChecked()); // the layout is not a setting it restores
    }

    void fullScreenAndBackUseTheirFixedSizes() {
        window::TForm1& form = shown();
        QWidget* tab1 = form.findChild<QWidget*>(u("TabControl1"));
        QWidget* tab2 = form.findChild<QWidget*>(u("TabControl2"));
        QCOMPARE(form.RichEdit1()->size(), QSize(580, 303));
        struct Layout {
            const char* caption;
            bool checked;
            QSize tab1, view;
            int tab2Width, tab2Top, say, layout, undo, edit;
        };
        const Layout layouts[] = {
            {"Normal", true, {799, 507}, {793, 499}, 799, 507, 710, 667, 640, 635},
            {"Full Screen", false, {588, 313}, {581, 305}, 585, 312, 496, 453, 426, 422}};
        for (const Layout& expected : layouts) {
            form.action("N40")->trigger();
            QCOMPARE(form.action("N40")->text(), u(expected.caption));
            QCOMPARE(form.action("N40")->isChecked(), expected.checked);
            QCOMPARE(bool(form.windowState() & Qt::WindowMaximized), expected.checked);
            QCOMPARE(tab1->size(), expected.tab1);
            QCOMPARE(form.RichEdit1()->size(), expected.view);
            QCOMPARE(tab2->width(), expected.tab2Width);
            QCOMPARE(tab2->y(), expected.tab2Top);
            QCOMPARE(f->button("SpeedButton1")->x(), expected.say);
            QCOMPARE(f->button("SpeedButton3")->x(), expected.layout);
            QCOMPARE(f->button("SpeedButton2")->x(), expected.undo);
            QCOMPARE(form.Edit1()->width(), expected.edit);
        }
        QCOMPARE(form.centralWidget()->size(), QSize(587, 361));
        QWidget* status = form.findChild<QWidget*>(u("StatusBar1"));
        QCOMPARE(status->geometry(), QRect(0, 342, 587, 19)); // on the bottom edge again
    }
};

} // namespace semtra::test

QTEST_MAIN(semtra::test::AppearanceTest)
#include "test_appearance.moc"
