#include "modes/Unit3.hpp"

#include "window/Unit1.hpp"
#include "window/palette.hpp"
#include "window/placement.hpp"
#include "window/text.hpp"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

// The picture lives in the window library, a static library: its resources have to be
// pulled in by hand or the linker drops them. This has to sit outside any namespace.
static void initAboutResources() {
    Q_INIT_RESOURCE(about);
}

namespace semtra::window {

namespace {

constexpr const char* kCaption = "О программе";
constexpr const char* kVersion = "                          ВЕРСИЯ: 1.9274";
constexpr const char* kHistory = "История";
constexpr const char* kReadMe = "ReadMe.Txt";

constexpr int kClientWidth = 377;
// Heights are kept as the window definition counts them, title bar and borders included;
// the window system adds its own frame, so the client gets the designed client height:
// 179 shows the upper panel (client 152), 327 both panels (client 300).
constexpr int kFrameHeight = 27;
constexpr int kDesignedHeight = 179;

// The caption's blanks push the text right of the picture; DejaVu's blanks are about as
// wide as Arial Black's, Liberation's would leave the text under the picture's edge.
QFont versionFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Sans Serif")});
    font.setPixelSize(19);
    font.setBold(true);
    return font;
}

QFont memoFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Monospace")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(11);
    return font;
}

QFrame* panel(QWidget* parent, const char* name, QRect geometry) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setGeometry(geometry);
    return frame;
}

// The file's lines with CR LF, lone CR and lone LF all read as one line break.
QString normalisedLines(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

TForm3::TForm3(TForm1* main)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_main(main) {
    initAboutResources();
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(tr8(kCaption));
    setFont(main->font());
    setCursor(Qt::ArrowCursor);
    setColour(this, QPalette::Window, Qt::black);
    setAutoFillBackground(true);
    buildUpperPanel();
    buildLowerPanel();
    setFormHeight(kDesignedHeight);
}

// Stacking follows creation: the picture and the history button lie above the version
// button, so a click on them never reaches it, and a click anywhere else on the panel does.
void TForm3::buildUpperPanel() {
    m_tab1 = panel(this, "TabControl1", {0, 0, 377, 153});

    auto* bevel = new QFrame(m_tab1);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(3, 5, 371, 145);

    m_version = new QToolButton(m_tab1);
    m_version->setObjectName(QStringLiteral("SpeedButton1"));
    m_version->setText(tr8(kVersion));
    m_version->setGeometry(4, 6, 369, 142);
    m_version->setAutoRaise(true); // flat
    m_version->setFocusPolicy(Qt::NoFocus);
    m_version->setCursor(Qt::PointingHandCursor);
    m_version->setFont(versionFont());
    setColour(m_version, QPalette::ButtonText, Qt::yellow);
    setColour(m_version, QPalette::Button, Qt::black); // the raised look on hover stays dark
    connect(m_version, &QToolButton::clicked, this,
            [this] { m_main->guard([this] { SpeedButton1Click(); }); });

    m_picture = new QLabel(m_tab1);
    m_picture->setObjectName(QStringLiteral("QRImage1"));
    m_picture->setGeometry(7, 8, 178, 137);
    m_picture->setFrameStyle(QFrame::NoFrame);
    m_picture->setScaledContents(true);
    m_picture->setPixmap(QPixmap(QStringLiteral(":/semtra/about.png")));

    m_history = new QPushButton(tr8(kHistory), m_tab1);
    m_history->setObjectName(QStringLiteral("Button1"));
    m_history->setGeometry(190, 120, 179, 25);
    m_history->setCursor(Qt::PointingHandCursor);
    setColour(m_history, QPalette::Button, kSilver);
    connect(m_history, &QPushButton::clicked, this,
            [this] { m_main->guard([this] { Button1Click(); }); });
}

void TForm3::buildLowerPanel() {
    m_tab2 = panel(this, "TabControl2", {1, 151, 376, 148});

    m_memo = new QPlainTextEdit(m_tab2);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setGeometry(3, 4, 370, 140);
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setFont(memoFont());
    m_memo->setCursor(Qt::ForbiddenCursor);
    m_memo->viewport()->setCursor(Qt::ForbiddenCursor);
    setColour(m_memo, QPalette::Base, kSilver);
    setColour(m_memo, QPalette::Text, Qt::black);
}

int TForm3::formHeight() const {
    return m_height;
}

void TForm3::setFormHeight(int height) {
    m_height = height;
    setFixedSize(kClientWidth, std::max(height - kFrameHeight, 0));
}

void TForm3::open() {
    if (!m_shownOnce) {
        centreOnDesktop(*this);
        m_shownOnce = true;
    }
    show();
    setEnabled(true);
}

// The history is read afresh on every press; a file that cannot be read leaves the
// panel as it was.
void TForm3::Button1Click() {
    const std::string text = m_main->engine().fileSystem().readAll(kReadMe);
    m_memo->setPlainText(normalisedLines(fromCp(text)));
    setFormHeight(formHeight() + 1);
    if (formHeight() == 180)
        setFormHeight(327);
    if (formHeight() == 328)
        setFormHeight(179);
}

void TForm3::SpeedButton1Click() {
    m_main->aboutClosed();
    hide();
}

} // namespace semtra::window
