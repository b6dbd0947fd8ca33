// SPDX-License-Identifier: MIT
#include "editor/MessagePage.h"

#include "editor/MessageText.h"
#include "ui_MessagePage.h"
#include "widgets/MessageFormat.h"

#include <QFontDatabase>
#include <QIntValidator>
#include <QLineEdit>
#include <QTextCursor>
#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QString DefaultFace = u"宋体"_s;
const QString DefaultSize = u"12"_s;

// Sorted like the face list of the Windows program: case-blind.
bool faceLess(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

} // namespace

MessagePage::MessagePage(QWidget *parent)
    : EditorPage(parent)
    , m_ui(std::make_unique<Ui::MessagePage>())
{
    m_ui->setupUi(this);
    m_ui->boldButton->setIcon(QIcon(u":/editor/format-bold.svg"_s));
    m_ui->italicButton->setIcon(QIcon(u":/editor/format-italic.svg"_s));
    m_ui->underlineButton->setIcon(QIcon(u":/editor/format-underline.svg"_s));
    m_ui->textColorButton->setColor(Qt::black);
    m_ui->backColorButton->setColor(Qt::white);
    fillFaces();
    selectFace(DefaultFace);
    m_ui->sizeCombo->addItems({u"8"_s, u"10"_s, u"12"_s, u"14"_s, u"18"_s, u"24"_s});
    m_ui->sizeCombo->setValidator(new QIntValidator(1, 1638, m_ui->sizeCombo));
    setSizeText(DefaultSize);

    // Only the user's changes rebuild the format: showing stored values does
    // not go through these signals.
    connect(m_ui->faceCombo, &QComboBox::activated, this, &MessagePage::applyFormat);
    connect(m_ui->sizeCombo, &QComboBox::activated, this, &MessagePage::applyFormat);
    connect(m_ui->sizeCombo->lineEdit(), &QLineEdit::textEdited, this, [this] { m_sizeTyped = true; });
    connect(m_ui->sizeCombo->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (std::exchange(m_sizeTyped, false))
            applyFormat();
    });
    for (QToolButton *button : {m_ui->boldButton, m_ui->italicButton, m_ui->underlineButton})
        connect(button, &QToolButton::clicked, this, &MessagePage::applyFormat);
    connect(m_ui->textColorButton, &ColorPickerButton::colorChosen, this, &MessagePage::applyFormat);
    connect(m_ui->backColorButton, &ColorPickerButton::colorChosen, this, [this](const QColor &color) {
        m_background = FromQColor(color);
        showBackground();
    });

    applyFormat();
    showBackground();
}

MessagePage::~MessagePage() = default;

void MessagePage::fillFaces()
{
    QStringList faces = QFontDatabase::families();
    std::sort(faces.begin(), faces.end(), faceLess);
    m_ui->faceCombo->addItems(faces);
}

// A face that is not installed here (a file from Windows names "宋体") is
// listed all the same, so that it stays the task's face; font substitution
// draws it with a face of the same kind.
void MessagePage::selectFace(const QString &face)
{
    QComboBox *faces = m_ui->faceCombo;
    int index = faces->findText(face, Qt::MatchFixedString);
    if (index < 0 && !face.isEmpty()) {
        index = 0;
        while (index < faces->count() && faceLess(faces->itemText(index), face))
            ++index;
        faces->insertItem(index, face);
    }
    faces->setCurrentIndex(index);
}

void MessagePage::setSizeText(const QString &text)
{
    const int index = m_ui->sizeCombo->findText(text);
    if (index >= 0)
        m_ui->sizeCombo->setCurrentIndex(index);
    else
        m_ui->sizeCombo->setEditText(text);
}

void MessagePage::applyFormat()
{
    FormatChoice choice;
    choice.bold = m_ui->boldButton->isChecked();
    choice.italic = m_ui->italicButton->isChecked();
    choice.underline = m_ui->underlineButton->isChecked();
    choice.color = FromQColor(m_ui->textColorButton->color());
    choice.sizeText = m_ui->sizeCombo->currentText();
    choice.face = m_ui->faceCombo->currentText();
    m_format = BuildMessageFont(choice, m_format);
    showFormat();
}

// The format is the message box's one format: it covers the text there is
// and whatever the user types next.
void MessagePage::showFormat()
{
    const QTextCharFormat format = ToCharFormat(m_format);
    QTextCursor all(m_ui->messageEdit->document());
    all.select(QTextCursor::Document);
    all.setCharFormat(format);
    m_ui->messageEdit->setCurrentCharFormat(format);
}

void MessagePage::showBackground()
{
    QPalette palette = m_ui->messageEdit->palette();
    palette.setColor(QPalette::Base, ToQColor(m_background));
    m_ui->messageEdit->setPalette(palette);
}

void MessagePage::showValues(const ReminderForm &form)
{
    const MessageFont &font = form.font;
    m_ui->boldButton->setChecked(font.FontEffect & MessageFont::EffectBold);
    m_ui->italicButton->setChecked(font.FontEffect & MessageFont::EffectItalic);
    m_ui->underlineButton->setChecked(font.FontEffect & MessageFont::EffectUnderline);
    m_format = font;
    m_background = form.background;
    m_ui->backColorButton->setColor(ToQColor(m_background));
    m_ui->textColorButton->setColor(ToQColor(font.FontColor));
    selectFace(font.FontFaceName);
    // A height that gives no size (an unset format) leaves the size list at
    // its default rather than showing "0".
    if (const QString size = SizeTextOf(font); !size.isEmpty())
        setSizeText(size);
    m_ui->messageEdit->setPlainText(MessageToEditText(form.message));
    showFormat();
    showBackground();
}

void MessagePage::readValues(ReminderForm &form) const
{
    form.message = EditTextToMessage(m_ui->messageEdit->toPlainText());
    form.font = m_format;
    form.background = m_background;
}
