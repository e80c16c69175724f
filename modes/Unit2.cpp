#include "modes/Unit2.hpp"

#include "data/captions.hpp"
#include "engine/random.hpp"
#include "window/Unit1.hpp"
#include "window/placement.hpp"
#include "window/text.hpp"
#include "window/vcl_timer.hpp"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>

namespace semtra::window {

namespace {

QPalette highlightText(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::HighlightedText));
    return palette;
}

} // namespace

TForm2::TForm2(TForm1* main, Clock& clock, RandomSource& random)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_main(main),
      m_clock(clock), m_random(random) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr8(data::kForm2Caption));
    setFont(main->font());
    setFixedSize(305, 105);

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(0, 1, 305, 104);

    auto* pathGroup = new QGroupBox(tr8(data::kPathGroup), this);
    pathGroup->setObjectName(QStringLiteral("GroupBox1"));
    pathGroup->setGeometry(8, 8, 185, 57);
    m_path = new QLineEdit(tr8(data::kDefaultExchangePath), pathGroup);
    m_path->setObjectName(QStringLiteral("Edit1"));
    m_path->setGeometry(8, 24, 169, 21);
    m_path->setPalette(highlightText(m_path));
    connect(m_path, &QLineEdit::textChanged, this,
            [this] { m_main->guard([this] { Edit1Change(); }); });

    auto* intervalGroup = new QGroupBox(tr8(data::kIntervalGroup), this);
    intervalGroup->setObjectName(QStringLiteral("GroupBox2"));
    intervalGroup->setGeometry(200, 8, 97, 57);
    m_interval = new QSpinBox(intervalGroup);
    m_interval->setObjectName(QStringLiteral("SpinEdit1"));
    m_interval->setGeometry(8, 24, 81, 22);
    m_interval->setRange(1, 60000);
    m_interval->setValue(1000);
    m_interval->setPalette(highlightText(m_interval));
    connect(m_interval, &QSpinBox::textChanged, this,
            [this] { m_main->guard([this] { SpinEdit1Change(); }); });

    auto* ok = new QPushButton(tr8(data::kOk), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setGeometry(72, 72, 75, 25);
    connect(ok, &QPushButton::clicked, this, [this] { m_main->guard([this] { Button1Click(); }); });
    auto* cancel = new QPushButton(tr8(data::kCancel), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    cancel->setGeometry(157, 72, 75, 25);
    connect(cancel, &QPushButton::clicked, this,
            [this] { m_main->guard([this] { Button2Click(); }); });

    m_timer = new VclTimer("Timer1", 2000, false, this);
    connect(m_timer, &VclTimer::timeout, this,
            [this] { m_main->guard([this] { Timer1Timer(); }); });
}

// The field as it stands, also while it is being typed: a text that is no whole number
// reads as the minimum, and a tick never takes an interval outside 1 .. 60000.
int TForm2::interval() const {
    bool whole = false;
    const int typed = m_interval->cleanText().toInt(&whole);
    return whole ? std::clamp(typed, 1, 60000) : 1;
}

void TForm2::open() {
    if (!m_shownOnce) {
        centreOnDesktop(*this);
        m_shownOnce = true;
    }
    show();
    setEnabled(true);
    m_timer->setEnabled(true);
}

// Both buttons only close: the fields were in force from the moment they were edited.
void TForm2::close() {
    m_main->editorClosed();
    m_timer->setEnabled(false);
    hide();
}

void TForm2::Button1Click() {
    close();
}
void TForm2::Button2Click() {
    close();
}

// The focus shuffle moves the focus between the two fields at random.
void TForm2::Timer1Timer() {
    m_random.seed(static_cast<std::uint32_t>(m_clock.msOfDay()));
    const int draw = m_random.uniform(6) + 1;
    if (draw % 2 == 1) {
        m_path->setFocus(Qt::TabFocusReason);
        m_path->selectAll();
    } else {
        m_interval->setFocus(Qt::TabFocusReason);
        m_interval->selectAll();
    }
}

void TForm2::Edit1Change() {
    if (QAction* restore = m_main->action("N13"))
        restore->setChecked(false);
}

void TForm2::SpinEdit1Change() {
    Edit1Change();
}

} // namespace semtra::window
