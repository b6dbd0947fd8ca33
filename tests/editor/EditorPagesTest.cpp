// SPDX-License-Identifier: MIT
#include "EditorFixture.h"
#include "editor/ActionPage.h"
#include "editor/ColorPickerButton.h"
#include "editor/MessagePage.h"
#include "editor/NumberBox.h"
#include "editor/SoundPage.h"
#include "editor/ValidationTip.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

class EditorPagesTest : public EditorFixture
{
protected:
    // Bold, struck-out red 宋体 14 pt on pale yellow, as a Windows file holds it.
    static ReminderForm storedFormat()
    {
        ReminderForm form;
        form.font.FontMask = 0xE000000F;
        form.font.FontEffect = MessageFont::EffectBold | MessageFont::EffectStrikeOut;
        form.font.FontHeight = 280;
        form.font.FontColor = 0x0000FF;
        form.font.FontFaceName = u"宋体"_s;
        form.background = 0xCCFFFF;
        form.message = u"第一行\r\n第二行"_s;
        return form;
    }

    // Answers the next open-file dialog with `file`, after `check` looked at it.
    static void answerFileDialog(const QString &file, std::function<void(QFileDialog *)> check = {})
    {
        QTimer::singleShot(0, [file, check] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            if (check)
                check(dialog);
            dialog->selectFile(file);
            static_cast<QDialog *>(dialog)->accept();
        });
    }
};

} // namespace

TEST_F(EditorPagesTest, StoredFormatShowsAndSurvivesAnEditOfTheText)
{
    MessagePage page;
    page.show();
    page.showValues(storedFormat());
    EXPECT_EQ(child<QComboBox>(&page, "faceCombo")->currentText(), u"宋体"_s);
    EXPECT_EQ(child<QComboBox>(&page, "sizeCombo")->currentText(), u"14"_s);
    EXPECT_TRUE(child<QToolButton>(&page, "boldButton")->isChecked());
    EXPECT_FALSE(child<QToolButton>(&page, "italicButton")->isChecked());
    EXPECT_EQ(child<ColorPickerButton>(&page, "textColorButton")->color(), QColor(Qt::red));
    EXPECT_EQ(child<ColorPickerButton>(&page, "backColorButton")->color(), QColor(0xFF, 0xFF, 0xCC));

    auto *edit = child<QTextEdit>(&page, "messageEdit");
    EXPECT_EQ(edit->toPlainText(), u"第一行\n第二行"_s);
    EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xCC));
    QTextCursor first(edit->document());
    first.movePosition(QTextCursor::NextCharacter);
    const QTextCharFormat shown = first.charFormat();
    EXPECT_EQ(shown.fontWeight(), QFont::Bold);
    EXPECT_TRUE(shown.fontStrikeOut());
    EXPECT_EQ(shown.fontPointSize(), 14.0);
    EXPECT_EQ(shown.foreground().color(), QColor(Qt::red));
    EXPECT_EQ(shown.fontFamilies().toStringList().value(0), u"宋体"_s);

    edit->moveCursor(QTextCursor::End);
    typeText(edit, u"！"_s);
    EXPECT_EQ(edit->currentCharFormat().fontPointSize(), 14.0);
    ReminderForm read;
    page.readValues(read);
    EXPECT_EQ(read.message, u"第一行\r\n第二行！"_s);
    EXPECT_EQ(read.font, storedFormat().font);
    EXPECT_EQ(read.background, 0xCCFFFFu);
}

TEST_F(EditorPagesTest, FormatControlsRebuildTheFormat)
{
    MessagePage page;
    page.show();
    page.showValues(storedFormat());
    auto *size = child<QComboBox>(&page, "sizeCombo");
    size->setCurrentIndex(size->findText(u"24"_s));
    Q_EMIT size->activated(size->currentIndex());
    // Bold was on; two clicks leave it on and rebuild without strike-out.
    QTest::mouseClick(child<QToolButton>(&page, "boldButton"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>(&page, "boldButton"), Qt::LeftButton);
    EXPECT_EQ(page.format().FontHeight, 480);
    EXPECT_EQ(page.format().FontEffect, MessageFont::EffectBold);
    EXPECT_EQ(page.format().FontMask, 0xE0000007u);
    const QTextCharFormat current = child<QTextEdit>(&page, "messageEdit")->currentCharFormat();
    EXPECT_EQ(current.fontPointSize(), 24.0);
    EXPECT_FALSE(current.fontStrikeOut());

    child<ColorPickerButton>(&page, "textColorButton")->pick(QColor(0, 0x80, 0));
    EXPECT_EQ(page.format().FontColor, 0x008000u);
    child<ColorPickerButton>(&page, "backColorButton")->pick(QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(page.background(), 0x302010u);
    EXPECT_EQ(child<QTextEdit>(&page, "messageEdit")->palette().color(QPalette::Base), QColor(0x10, 0x20, 0x30));

    // A typed size counts once the box is left.
    QLineEdit *sizeText = size->lineEdit();
    sizeText->selectAll();
    QTest::keyClicks(sizeText, u"36"_s);
    Q_EMIT sizeText->editingFinished();
    EXPECT_EQ(page.format().FontHeight, 720);
}

TEST_F(EditorPagesTest, AnUnsetFormatLeavesTheSizeListAtItsDefault)
{
    MessagePage page;
    ReminderForm form;
    form.font = MessageFont {}; // height 12 means no size chosen yet
    page.showValues(form);
    EXPECT_EQ(child<QComboBox>(&page, "sizeCombo")->currentText(), u"12"_s);
    ReminderForm read;
    page.readValues(read);
    EXPECT_EQ(read.font, MessageFont {});
}

TEST_F(EditorPagesTest, PlayChecksThePathFirst)
{
    SoundPage page(&fakes.sound);
    page.show();
    QApplication::setActiveWindow(&page);
    auto *path = child<QComboBox>(&page, "soundPathCombo");
    path->setEditText(dir.filePath(u"missing.wav"_s));
    QTest::mouseClick(child<QWidget>(&page, "playButton"), Qt::LeftButton);
    expectTip(&page, path, u"你选择的声音文件不存在或者不正确,请重新选择"_s);
    EXPECT_TRUE(fakes.sound.played.isEmpty());

    const QString ring = dir.filePath(u"ring.wav"_s);
    QFile(ring).open(QIODevice::WriteOnly);
    path->setEditText(ring);
    QTest::mouseClick(child<QWidget>(&page, "playButton"), Qt::LeftButton);
    EXPECT_EQ(fakes.sound.played, QStringList {ring});
}

TEST_F(EditorPagesTest, SoundPageBrowsesForWaveFilesAndCarriesTheRepeatFlag)
{
    SoundPage page(&fakes.sound);
    ReminderForm form;
    form.repeatPlay = 2;
    form.soundFile = u"/keep/this.wav"_s;
    page.showValues(form);
    EXPECT_FALSE(child<QWidget>(&page, "repeatCheck")->isVisibleTo(&page));

    const QString ring = dir.filePath(u"ring.wav"_s);
    QFile(ring).open(QIODevice::WriteOnly);
    answerFileDialog(ring, [](QFileDialog *d) { EXPECT_EQ(d->nameFilters(), QStringList {u"声音文件(*.wav)"_s}); });
    QTest::mouseClick(child<QWidget>(&page, "browseButton"), Qt::LeftButton);
    ReminderForm read;
    page.readValues(read);
    EXPECT_EQ(read.soundFile, ring);
    EXPECT_EQ(read.repeatPlay, 2);
}

TEST_F(EditorPagesTest, ActionPageCountdownAndBrowseForAnyFile)
{
    ActionPage page;
    page.show();
    auto *countdown = child<NumberBox>(&page, "countdownBox");
    EXPECT_TRUE(child<QRadioButton>(&page, "atOnceRadio")->isChecked());
    EXPECT_FALSE(countdown->isEnabled());
    EXPECT_EQ(countdown->number(), 30);
    QTest::mouseClick(child<QRadioButton>(&page, "countdownRadio"), Qt::LeftButton);
    EXPECT_TRUE(countdown->isEnabled());
    countdown->setNumber(12);
    QTest::mouseClick(child<QRadioButton>(&page, "atOnceRadio"), Qt::LeftButton);
    EXPECT_FALSE(countdown->isEnabled());
    EXPECT_EQ(countdown->number(), 12);

    // "所有文件(*.*)" lists names without a dot too, as programs have here.
    const QString program = dir.filePath(u"backup"_s);
    QFile(program).open(QIODevice::WriteOnly);
    QDir::setCurrent(dir.path());
    answerFileDialog(program, [](QFileDialog *d) {
        EXPECT_EQ(d->nameFilters(), QStringList {u"所有文件(*.*)"_s});
        auto *model = d->findChild<QFileSystemModel *>();
        ASSERT_NE(model, nullptr);
        const QModelIndex folder = model->index(QDir::currentPath());
        for (int i = 0; i < 100 && !model->index(u"backup"_s, 0).isValid() && model->rowCount(folder) == 0; ++i)
            QTest::qWait(20);
        bool listed = false;
        for (int row = 0; row < model->rowCount(folder); ++row)
            listed = listed || model->fileName(model->index(row, 0, folder)) == u"backup"_s;
        EXPECT_TRUE(listed);
    });
    QTest::mouseClick(child<QWidget>(&page, "browseButton"), Qt::LeftButton);
    ReminderForm read;
    page.readValues(read);
    EXPECT_EQ(read.filePath, program);
    EXPECT_EQ(read.actionOption, ReminderForm::FirstRow);
    EXPECT_EQ(read.countdown, 12);
}

TEST_F(EditorPagesTest, NumberBoxArrowsWrapWhileTypingTakesAnyTwoDigits)
{
    NumberBox box;
    box.setArrowRange(1, 31);
    box.setNumber(31);
    box.stepBy(1);
    EXPECT_EQ(box.number(), 1);
    box.stepBy(-1);
    EXPECT_EQ(box.number(), 31);
    box.show();
    box.clear();
    QTest::keyClicks(&box, u"75"_s);
    EXPECT_EQ(box.number(), 75); // out of the arrows' range: Save says so
    QTest::keyClicks(&box, u"1"_s);
    EXPECT_EQ(box.number(), 75); // a third digit is refused
    box.clear();
    EXPECT_EQ(box.number(), NotANumber);
    QTest::keyClicks(&box, u"x"_s);
    EXPECT_EQ(box.number(), NotANumber);
}

TEST_F(EditorPagesTest, ValidationTipShowsUnderItsControlForFiveSeconds)
{
    QWidget owner;
    auto *first = new QLineEdit(&owner);
    auto *second = new QLineEdit(&owner);
    second->move(0, 60);
    auto *tip = new ValidationTip(&owner);
    owner.show();
    QApplication::setActiveWindow(&owner);
    EXPECT_FALSE(tip->isVisible());

    tip->showUnder(first, u"第一条"_s);
    expectTip(&owner, first, u"第一条"_s);
    tip->showUnder(second, u"第二条"_s);
    expectTip(&owner, second, u"第二条"_s);
    EXPECT_EQ(tip->windowType(), Qt::ToolTip);
    EXPECT_TRUE(tip->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_GE(tip->width(), tip->fontMetrics().horizontalAdvance(u"第二条"_s) + 2 * ValidationTip::Margin);

    auto *timer = tip->findChild<QTimer *>();
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 5000);
    timer->start(1); // let the five seconds run out at once
    QTest::qWait(50);
    EXPECT_FALSE(tip->isVisible());

    tip->showUnder(first, u"又一条"_s);
    owner.hide();
    EXPECT_FALSE(tip->isVisible());
}
