#include "window/Unit1.hpp"

#include "data/captions.hpp"
#include "window/dialogue_view.hpp"
#include "window/palette.hpp"
#include "window/placement.hpp"
#include "window/text.hpp"
#include "window/vcl_timer.hpp"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>

namespace semtra::window {

namespace {

void setSilver(QWidget* widget, QPalette::ColorRole role) {
    setColour(widget, role, kSilver);
    widget->setAutoFillBackground(true);
}

QToolButton* speedButton(QWidget* parent, const char* name, const char* caption, QRect geometry,
                         const char* hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(tr8(caption));
    button->setGeometry(geometry);
    button->setAutoRaise(true); // flat
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(tr8(hint));
    button->setEnabled(false);
    // A greyed caption, as a disabled flat button shows it.
    QPalette palette = button->palette();
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 128));
    button->setPalette(palette);
    return button;
}

} // namespace

TForm1::TForm1(Form1Services services, QWidget* parent) : QMainWindow(parent) {
    m_ownClock = services.clock ? nullptr : std::make_unique<SystemClock>();
    m_ownRandom = services.random ? nullptr : std::make_unique<SplitMixRandom>();
    m_ownErrors = services.errors ? nullptr : std::make_unique<ErrorBoxes>(nullptr);
    m_ownSound = services.sound ? nullptr : std::make_unique<SilentCues>();
    m_clock = services.clock ? services.clock : m_ownClock.get();
    m_random = services.random ? services.random : m_ownRandom.get();
    m_errors = services.errors ? services.errors : m_ownErrors.get();
    m_sound = services.sound ? services.sound : m_ownSound.get();
    m_ownDialogs = services.dialogs ? nullptr : std::make_unique<QtSettingDialogs>();
    m_dialogs = services.dialogs ? services.dialogs : m_ownDialogs.get();
    m_moved = std::move(services.moved);
    m_engine = std::make_unique<Engine>(std::move(services.files), *this, *m_clock, *m_random);

    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(tr8(data::kForm1Caption));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(msSansSerif());
    FontDialog1.Font = FontDialog2.Font = FontDialog3.Font = msSansSerif();
    FontDialog3.MinFontSize = FontDialog3.MaxFontSize = 8;
    setCursor(Qt::ForbiddenCursor);
    setSilver(this, QPalette::Window);
    {
        // Disabled text stays legible on the silver face while a side window is open.
        QPalette palette = this->palette();
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(QPalette::Disabled, role, QColor(112, 112, 112));
        setPalette(palette);
    }
    buildControls();
    buildMenu();
    buildTimers();
    fixNormalSize();
    centreOnDesktop(*this);
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::setSideWindows(TForm2* editor, TForm3* about) {
    m_editor = editor;
    m_about = about;
}

void TForm1::buildControls() {
    auto* client = m_client = new QWidget(this);
    client->resize(587, 361);
    client->installEventFilter(this);
    setCentralWidget(client);

    m_tab1 = new QFrame(client);
    m_tab1->setObjectName(QStringLiteral("TabControl1"));
    m_tab1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_tab1->setGeometry(0, 0, 588, 313);

    m_view = new DialogueView(m_tab1);
    m_view->setObjectName(QStringLiteral("RichEdit1"));
    m_view->setGeometry(4, 6, 580, 303);
    m_view->viewport()->setCursor(Qt::ForbiddenCursor);
    m_view->setToolTip(tr8(data::kHintRichEdit1));
    setSilver(m_view->viewport(), QPalette::Base);
    setColour(m_view, QPalette::Base, kSilver);

    m_tab2 = new QFrame(client);
    m_tab2->setObjectName(QStringLiteral("TabControl2"));
    m_tab2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_tab2->setGeometry(0, 312, 585, 30);
    m_tab2->setCursor(Qt::ForbiddenCursor);

    m_edit = new QLineEdit(m_tab2);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_edit->setGeometry(3, 5, 422, 21);
    m_edit->setMaxLength(255);
    m_edit->setToolTip(tr8(data::kHintEdit1));
    setColour(m_edit, QPalette::Base, kSilver);
    setColour(m_edit, QPalette::Text, Qt::black);
    m_edit->installEventFilter(this);
    connect(m_edit, &QLineEdit::textChanged, this, [this] { run(&TForm1::Edit1Change); });

    m_undo = speedButton(m_tab2, "SpeedButton2", "<", {426, 5, 27, 22}, data::kHintSpeedButton2);
    m_layout =
        speedButton(m_tab2, "SpeedButton3", "E/R", {453, 5, 43, 22}, data::kHintSpeedButton3);
    m_say = speedButton(m_tab2, "SpeedButton1", data::kSayCaption, {496, 5, 86, 22},
                        data::kHintSpeedButton1);
    connect(m_say, &QToolButton::clicked, this, [this] { run(&TForm1::SpeedButton1Click); });
    connect(m_undo, &QToolButton::clicked, this, [this] { run(&TForm1::SpeedButton2Click); });
    connect(m_layout, &QToolButton::clicked, this, [this] { run(&TForm1::SpeedButton3Click); });

    m_status = new QStatusBar(client);
    m_status->setObjectName(QStringLiteral("StatusBar1"));
    m_status->setGeometry(0, 342, 587, 19);
    m_status->setSizeGripEnabled(false);
    m_status->setCursor(Qt::WhatsThisCursor);
    m_status->setToolTip(tr8(data::kHintStatusBar1));
    const int widths[3] = {130, 322, 0};
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(m_status);
        m_panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
        m_panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (widths[i] > 0)
            m_panels[i]->setFixedWidth(widths[i]);
        m_status->addWidget(m_panels[i], widths[i] > 0 ? 0 : 1);
    }
    m_panels[2]->setText(tr8(data::kModeCpuUser));
}

QAction* TForm1::addItem(QMenu* menu, const char* name, const char* caption,
                         void (TForm1::*handler)()) {
    auto* item = menu->addAction(tr8(caption));
    item->setObjectName(QString::fromLatin1(name));
    m_actions.insert(item->objectName(), item);
    // A handler owns its item's checkmark, as the menu leaves it: the mark Qt flips on a
    // click is put back before the handler looks at it.
    if (handler)
        connect(item, &QAction::triggered, this, [this, item, handler] {
            if (item->isCheckable())
                item->setChecked(!item->isChecked());
            run(handler);
        });
    return item;
}

// A separator line in the menu whose shortcut still works: the line is drawn by the menu,
// the shortcut belongs to an action of the window, which follows the item's enabled state.
QAction* TForm1::addShortcutSeparator(QMenu* menu, const char* name, const QKeySequence& key,
                                      void (TForm1::*handler)()) {
    menu->addSeparator();
    auto* item = new QAction(this);
    item->setObjectName(QString::fromLatin1(name));
    m_actions.insert(item->objectName(), item);
    item->setShortcut(key);
    item->setShortcutContext(Qt::WindowShortcut);
    addAction(item);
    connect(item, &QAction::triggered, this, [this, handler] { run(handler); });
    return item;
}

void TForm1::nameMenu(QMenu* menu, const char* name) {
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    m_actions.insert(menu->menuAction()->objectName(), menu->menuAction());
}

void TForm1::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* system = m_menus[0] = bar->addMenu(tr8("&Система"));
    nameMenu(system, "N1");
    addItem(system, "N2", "&Новый диалог", &TForm1::N2Click);
    addShortcutSeparator(system, "N3", QKeySequence(Qt::Key_Insert), &TForm1::N3Click);
    addItem(system, "N4", "&Выход", &TForm1::N4Click);

    QMenu* settings = m_menus[1] = bar->addMenu(tr8("&Настройки"));
    nameMenu(settings, "N5");
    addItem(settings, "N6", "&Цвет основного фона ", &TForm1::N6Click);
    addItem(settings, "N21", "Ц&вет фона поля вывода реплик", &TForm1::N21Click);
    addItem(settings, "N16", "Цв&ет фона поля ввода реплик", &TForm1::N16Click);
    addItem(settings, "N9", "Цве&т шрифтов кнопок на панели", &TForm1::N9Click);
    addShortcutSeparator(settings, "N15", QKeySequence(Qt::CTRL | Qt::Key_Z), &TForm1::N15Click);
    QMenu* colours = settings->addMenu(tr8("Цвет &реплик"));
    nameMenu(colours, "N7");
    addItem(colours, "User1", "&User", &TForm1::User1Click);
    addItem(colours, "Cpu1", "&Cpu", &TForm1::Cpu1Click);
    addItem(colours, "Mystring2", "&My string", &TForm1::Mystring2Click);
    addShortcutSeparator(settings, "N36", QKeySequence(Qt::CTRL | Qt::Key_S), &TForm1::N36Click);
    QMenu* fonts = settings->addMenu(tr8("&Параметры шрифта"));
    nameMenu(fonts, "N10");
    addItem(fonts, "User2", "&User", &TForm1::User2Click);
    addItem(fonts, "Cpu2", "&Cpu", &TForm1::Cpu2Click);
    addItem(fonts, "Mystring1", "&My string", &TForm1::Mystring1Click);
    settings->addSeparator()->setObjectName(QStringLiteral("N8"));
    QAction* restore =
        addItem(settings, "N13", "Вернуть первоначальные настройки", &TForm1::N13Click);
    restore->setCheckable(true);
    restore->setChecked(true);
    settings->addSeparator()->setObjectName(QStringLiteral("N14"));
    QMenu* mode = settings->addMenu(tr8("&Режим"));
    nameMenu(mode, "N37");
    QAction* cpuUser = addItem(mode, "CpuUser1", "&Cpu\\User", &TForm1::CpuUser1Click);
    cpuUser->setCheckable(true);
    cpuUser->setChecked(true);
    addItem(mode, "Cpu31", "C&pu\\Cpu", &TForm1::Cpu31Click)->setCheckable(true);
    addItem(settings, "N38", "Ре&дактор", &TForm1::N38Click);
    settings->addSeparator()->setObjectName(QStringLiteral("N39"));
    addItem(settings, "N40", "&Full Screen", &TForm1::N40Click)->setCheckable(true);

    QMenu* help = m_menus[2] = bar->addMenu(tr8("С&правка"));
    nameMenu(help, "N11");
    addItem(help, "N12", "&О программе...", &TForm1::N12Click);
}

QAction* TForm1::action(const char* name) const {
    return m_actions.value(QString::fromLatin1(name));
}

void TForm1::buildTimers() {
    struct Definition {
        const char* name;
        int interval;
        bool enabled;
        void (TForm1::*handler)();
    };
    const Definition definitions[7] = {
        {"Timer1", 1, true, &TForm1::Timer1Timer}, {"Timer2", 1000, true, &TForm1::Timer2Timer},
        {"Timer3", 1, true, &TForm1::Timer3Timer}, {"Timer4", 1, false, &TForm1::Timer4Timer},
        {"Timer5", 1, true, &TForm1::Timer5Timer}, {"Timer6", 3000, false, &TForm1::Timer6Timer},
        {"Timer7", 1, true, &TForm1::Timer7Timer},
    };
    for (int i = 0; i < 7; ++i) {
        const Definition& timer = definitions[i];
        m_timers[i] = new VclTimer(timer.name, timer.interval, timer.enabled, this);
        connect(m_timers[i], &VclTimer::timeout, this, [this, h = timer.handler] { run(h); });
    }
}

// Insert, Ctrl+Z and Ctrl+S belong to the menu before the input line sees them: the line
// never undoes its typing, and a disabled command's key does nothing at all.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize)
        followBottomEdge();
    if (watched == m_edit &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->modifiers() | key->key());
        for (const char* name : {"N3", "N15", "N36"}) {
            if (action(name)->shortcut() != pressed)
                continue;
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace semtra::window
