#include "window/appearance.hpp"

#include "window/text.hpp"

#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFontInfo>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace semtra::window {

QFont msSansSerif() {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setPointSize(8);
    return font;
}

bool QtSettingDialogs::pickColour(QWidget* parent, QColor& colour) {
    const QColor chosen = QColorDialog::getColor(colour, parent, tr8("Цвет"));
    if (!chosen.isValid())
        return false;
    colour = chosen;
    return true;
}

namespace {

// The four styles a font without effects can take, in the order the list shows them.
constexpr const char* kStyles[] = {"Обычный", "Курсив", "Жирный", "Жирный курсив"};

int styleIndex(const QFont& font) {
    return (font.bold() ? 2 : 0) + (font.italic() ? 1 : 0);
}

// Name, style and size, and a sample line; no colour, underline or strike-out.
class FontPicker : public QDialog {
  public:
    FontPicker(QWidget* parent, const QFont& font, int minSize, int maxSize) : QDialog(parent) {
        setWindowTitle(tr8("Шрифт"));
        m_name = new QFontComboBox(this);
        // The family that stands in for a missing one is what the user sees in use.
        m_name->setCurrentFont(QFont(QFontInfo(font).family()));
        m_style = new QComboBox(this);
        for (const char* style : kStyles)
            m_style->addItem(tr8(style));
        m_style->setCurrentIndex(styleIndex(font));
        m_size = new QSpinBox(this);
        m_size->setRange(minSize > 0 ? minSize : 1, maxSize > 0 ? maxSize : 96);
        m_size->setValue(font.pointSize() > 0 ? font.pointSize() : 8);
        m_sample = new QLabel(tr8("АаБбВв ЭэЮюЯя"), this);
        m_sample->setMinimumHeight(48);
        m_sample->setAlignment(Qt::AlignCenter);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        buttons->button(QDialogButtonBox::Ok)->setText(tr8("ОК"));
        buttons->button(QDialogButtonBox::Cancel)->setText(tr8("Отмена"));
        auto* form = new QFormLayout;
        form->addRow(tr8("&Шрифт:"), m_name);
        form->addRow(tr8("&Начертание:"), m_style);
        form->addRow(tr8("&Размер:"), m_size);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form);
        layout->addWidget(m_sample);
        layout->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(m_name, &QFontComboBox::currentFontChanged, this, [this] { showSample(); });
        connect(m_style, &QComboBox::currentIndexChanged, this, [this] { showSample(); });
        connect(m_size, &QSpinBox::valueChanged, this, [this] { showSample(); });
        showSample();
    }

    QFont chosen() const {
        QFont font(m_name->currentFont().family());
        font.setPointSize(m_size->value());
        font.setBold(m_style->currentIndex() >= 2);
        font.setItalic(m_style->currentIndex() % 2 == 1);
        return font;
    }

  private:
    void showSample() { m_sample->setFont(chosen()); }

    QFontComboBox* m_name;
    QComboBox* m_style;
    QSpinBox* m_size;
    QLabel* m_sample;
};

} // namespace

bool QtSettingDialogs::pickFont(QWidget* parent, QFont& font, int minSize, int maxSize) {
    FontPicker picker(parent, font, minSize, maxSize);
    if (picker.exec() != QDialog::Accepted)
        return false;
    font = picker.chosen();
    return true;
}

bool execute(SettingDialogs& dialogs, QWidget* parent, ColorDialog& dialog) {
    return dialogs.pickColour(parent, dialog.Color);
}

bool execute(SettingDialogs& dialogs, QWidget* parent, FontDialog& dialog) {
    QFont font = dialog.Font;
    if (!dialogs.pickFont(parent, font, dialog.MinFontSize, dialog.MaxFontSize))
        return false;
    // A dialog limited in size never hands back a size outside its range.
    if (dialog.MinFontSize > 0 && font.pointSize() < dialog.MinFontSize)
        font.setPointSize(dialog.MinFontSize);
    if (dialog.MaxFontSize > 0 && font.pointSize() > dialog.MaxFontSize)
        font.setPointSize(dialog.MaxFontSize);
    dialog.Font = font;
    return true;
}

} // namespace semtra::window
