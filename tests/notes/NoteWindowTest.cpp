// SPDX-License-Identifier: MIT
#include "notes/NoteWindow.h"

#include "../editor/EditorFixture.h"
#include "TestFiles.h"
#include "notes/NoteColorPicker.h"
#include "notes/NotePainter.h"
#include "notes/NoteStyleDialog.h"
#include "notes/NoteWindows.h"
#include "taskmanager/TaskManagerWindow.h"
#include "taskmanager/TaskTableModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTreeView>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

class NoteWindowTest : public EditorFixture
{
protected:
    void TearDown() override
    {
        delete TaskManagerWindow::Instance();
        notes.reset();
        EditorFixture::TearDown();
    }

    EntryHandle addNote(const QString &text, int shown = 1, int onTop = 1)
    {
        NoteEntry note = InitNoteEntry(at(2026, 3, 1, 8));
        note.Message = text;
        note.Display = shown;
        note.OnTop = onTop;
        note.Position = {300, 200, 300, 200};
        return data.Notes.AddTail(note);
    }
    const NoteEntry &entry(EntryHandle h) const { return data.Notes.At(h); }
    qint32 now() const { return qint32(fakes.clock.Now().ToUnixTime()); }

    static void trigger(NoteWindow *window, NoteWindow::Command command)
    {
        for (QAction *action : window->Menu()->actions()) {
            if (action->data().toInt() == command)
                return action->trigger();
        }
        ADD_FAILURE() << "no menu command " << command;
    }
    // Another window takes the activation, as a click elsewhere does.
    void activateElsewhere()
    {
        elsewhere.show();
        elsewhere.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    }

    TaskManagerWindow *openNotesTab()
    {
        TaskManagerWindow *manager = TaskManagerWindow::Open(data, services);
        child<QTabBar>(manager, "tabBar")->setCurrentIndex(TaskManagerWindow::NotesTab);
        return manager;
    }
    static QTreeView *list(const TaskManagerWindow *manager) { return child<QTreeView>(manager, "entryList"); }
    static void clickRow(const TaskManagerWindow *manager, int row, bool onCheckBox = false)
    {
        const QRect cell = list(manager)->visualRect(list(manager)->model()->index(row, 0));
        const QPoint at = onCheckBox ? QPoint(cell.left() + 8, cell.center().y()) : cell.center();
        QTest::mouseClick(list(manager)->viewport(), Qt::LeftButton, {}, at);
    }

    std::unique_ptr<NoteWindows> notes = std::make_unique<NoteWindows>(data, services);
    QWidget elsewhere;
};

} // namespace

TEST_F(NoteWindowTest, FitsTheLetterHForAnEmptyNoteAndTheWidestLineOfText)
{
    const auto sizeFor = [this](const QString &text) {
        return NoteWindow(data, services, addNote(text), 99).size();
    };
    const QFontMetrics metrics(ToQFont(NoteFont {}));
    const QSize empty = sizeFor({});
    EXPECT_EQ(empty, sizeFor(u"H"_s));
    // The text's width plus the character height (13) less three.
    EXPECT_NEAR(empty.width(), metrics.horizontalAdvance(u'H') + 10, 1);
    const QSize oneLine = sizeFor(u"longer line"_s);
    const QSize twoLines = sizeFor(u"ab\r\nlonger line"_s);
    EXPECT_NEAR(oneLine.width(), metrics.horizontalAdvance(u"longer line"_s) + 10, 1);
    EXPECT_EQ(twoLines.width(), oneLine.width());
    // Four pixels taller than the text.
    EXPECT_EQ(twoLines.height() - 4, 2 * (oneLine.height() - 4));
    EXPECT_GE(oneLine.height() - 4, metrics.height());
}

TEST_F(NoteWindowTest, LeavingAnEditUnchangedKeepsUpdateTimeAndAChangeStampsIt)
{
    const EntryHandle h = addNote(u"旧"_s);
    notes->ShowAtStart();
    NoteWindow *window = notes->WindowOf(h);
    ASSERT_TRUE(window && window->isVisible());
    EXPECT_EQ(window->windowTitle(), u"NOTE_WINDOW_%1"_s.arg(window->Id(), 0, 16).toUpper());
    const qint32 before = entry(h).UpdateTime;
    fakes.clock.Advance(3600);

    QTest::mouseDClick(window, Qt::LeftButton, {}, {5, 5});
    ASSERT_TRUE(window->IsEditing());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    auto *edit = child<QTextEdit>(window, "noteEdit");
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_FALSE(window->IsEditing());
    EXPECT_EQ(entry(h).UpdateTime, before);

    trigger(window, NoteWindow::EditCommand);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    typeText(edit, u"新的"_s); // replaces the selected text
    QTest::keyClick(edit, Qt::Key_Tab);
    QTest::keyClick(edit, Qt::Key_Return);
    typeText(edit, u"第二行"_s);
    EXPECT_EQ(window->DisplayedText(), u"新的\r\n第二行"_s);
    EXPECT_EQ(entry(h).Message, u"旧"_s);
    const QSize typed = window->size();
    activateElsewhere();
    EXPECT_FALSE(window->IsEditing());
    EXPECT_EQ(entry(h).Message, u"新的\r\n第二行"_s);
    EXPECT_EQ(entry(h).UpdateTime, now());
    EXPECT_EQ(window->size(), typed);
    EXPECT_GT(typed.height(), NoteWindow(data, services, addNote(u"新的"_s), 99).height());
}

TEST_F(NoteWindowTest, DraggedPlaceIsStoredWhenTheNoteLosesActivation)
{
    const EntryHandle h = addNote(u"拖"_s);
    notes->ShowAtStart();
    NoteWindow *window = notes->WindowOf(h);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    ASSERT_EQ(window->pos(), QPoint(300, 200));

    QTest::mousePress(window, Qt::LeftButton, {}, {4, 4});
    QTest::mouseMove(window, {44, 34});
    QTest::mouseRelease(window, Qt::LeftButton, {}, {44, 34});
    EXPECT_EQ(window->pos(), QPoint(340, 230));
    EXPECT_EQ(entry(h).Position.left, 300);

    activateElsewhere();
    const ScreenRect stored = entry(h).Position;
    EXPECT_EQ(QRect(stored.left, stored.top, stored.Width(), stored.Height()), window->frameGeometry());
}

TEST_F(NoteWindowTest, TaskManagerShowsHidesPinsAndAddsNotes)
{
    const EntryHandle h = addNote(u"便签"_s, 1, 0);
    notes->ShowAtStart();
    NoteWindow *window = notes->WindowOf(h);
    TaskManagerWindow *manager = openNotesTab();
    const QAbstractItemModel *rows = list(manager)->model();
    auto *onTop = child<QCheckBox>(manager, "onTopCheck");

    trigger(window, NoteWindow::HideCommand);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(entry(h).Display, 0);
    EXPECT_EQ(rows->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);

    // Pinning a hidden note keeps it hidden.
    clickRow(manager, 0);
    ASSERT_TRUE(onTop->isEnabled());
    EXPECT_FALSE(onTop->isChecked());
    QTest::mouseClick(onTop, Qt::LeftButton);
    EXPECT_EQ(entry(h).OnTop, 1);
    EXPECT_TRUE(window->IsTopmost());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(rows->index(0, 1).data().toString(), u"是"_s);
    // The note's own menu unpins it, and the box follows.
    trigger(window, NoteWindow::OnTopCommand);
    EXPECT_FALSE(onTop->isChecked());
    EXPECT_EQ(rows->index(0, 1).data().toString(), u"否"_s);

    // Its check box shows it again.
    clickRow(manager, 0, true);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(entry(h).Display, 1);
    EXPECT_EQ(rows->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);

    // New: a note at the top of the list, its window open for typing.
    QTest::mouseClick(child<QPushButton>(manager, "newButton"), Qt::LeftButton);
    ASSERT_EQ(data.Notes.GetCount(), 2);
    const EntryHandle added = data.Notes.GetTailPosition();
    EXPECT_EQ(manager->model(TaskManagerWindow::NotesTab)->entryAt(0), added);
    NoteWindow *addedWindow = notes->WindowOf(added);
    ASSERT_NE(addedWindow, nullptr);
    EXPECT_TRUE(addedWindow->IsEditing());
    EXPECT_TRUE(addedWindow->isVisible());
    EXPECT_EQ(addedWindow->pos(), NoteWindows::NewNotePlace);
}

TEST_F(NoteWindowTest, DeletedFromItsMenuTheNoteLeavesNoRow)
{
    const EntryHandle h = addNote(u"删我"_s);
    addNote(u"留下"_s);
    notes->ShowAtStart();
    QPointer<NoteWindow> window = notes->WindowOf(h);
    TaskManagerWindow *manager = openNotesTab();

    answer = QMessageBox::No;
    trigger(window, NoteWindow::DeleteCommand);
    EXPECT_EQ(list(manager)->model()->rowCount(), 2);
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, u"CLOCK"_s);
    EXPECT_EQ(boxes[0].text, u"你确定要删除选中便签吗？"_s);
    EXPECT_EQ(boxes[0].icon, QMessageBox::Warning);

    answer = QMessageBox::Yes;
    trigger(window, NoteWindow::DeleteCommand);
    EXPECT_FALSE(data.Notes.Contains(h));
    ASSERT_EQ(list(manager)->model()->rowCount(), 1);
    EXPECT_EQ(list(manager)->model()->index(0, 0).data().toString(), u"留下"_s);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST_F(NoteWindowTest, StyleDialogOkGivesTheNoteEveryValueAndCancelItsOpacityBack)
{
    ASSERT_TRUE(WriteTestFile(data.FilePath(u"layout.ini"_s),
                              u"[大字]\r\nFaceName=黑体\r\nFontHeight=-24\r\nItalic=1\r\nWeight=700\r\n"_s.toUtf8()));
    const EntryHandle h = addNote(u"样式"_s);
    notes->ShowAtStart();
    NoteWindow *window = notes->WindowOf(h);
    const NoteEntry original = entry(h);
    const QSize originalSize = window->size();

    {
        NoteStyleDialog dialog(window->windowTitle(), data.FilePath(u"layout.ini"_s), services);
        dialog.show();
        child<QSlider>(&dialog, "opacitySlider")->setValue(25);
        EXPECT_EQ(child<QLabel>(&dialog, "opacityLabel")->text(), u"透明度: 10%"_s);
        EXPECT_NEAR(window->windowOpacity(), 25 / 255.0, 0.01);
        QTest::mouseClick(child<QPushButton>(&dialog, "cancelButton"), Qt::LeftButton);
        EXPECT_NEAR(window->windowOpacity(), 1.0, 0.01);
        EXPECT_EQ(entry(h), original);
    }

    NoteStyleDialog dialog(window->windowTitle(), data.FilePath(u"layout.ini"_s), services);
    dialog.show();
    auto *presets = child<QComboBox>(&dialog, "presetCombo");
    EXPECT_EQ(presets->count(), 2);
    auto *deletePreset = child<QPushButton>(&dialog, "deletePresetButton");
    EXPECT_FALSE(deletePreset->isEnabled());
    QTest::keyClick(presets, Qt::Key_Down);
    EXPECT_EQ(presets->currentText(), u"大字"_s);
    EXPECT_TRUE(deletePreset->isEnabled());

    child<NoteColorPicker>(&dialog, "textColorPicker")->pick(QColor(0x10, 0x20, 0x30));
    child<NoteColorPicker>(&dialog, "backColor1Picker")->pick(QColor(0x40, 0x50, 0x60));
    child<NoteColorPicker>(&dialog, "borderColorPicker")->pick(QColor(0x70, 0x80, 0x90));
    auto *second = child<NoteColorPicker>(&dialog, "backColor2Picker");
    auto *gradient = child<QComboBox>(&dialog, "gradientCombo");
    EXPECT_FALSE(second->isEnabled());
    gradient->setCurrentIndex(NoteStyle::VerticalGradient);
    EXPECT_TRUE(second->isEnabled());
    second->pick(QColor(0xA0, 0xB0, 0xC0));
    child<QComboBox>(&dialog, "alignCombo")->setCurrentIndex(NoteStyle::AlignCentre);
    child<QSlider>(&dialog, "opacitySlider")->setValue(200);
    fakes.clock.Advance(90);
    QTest::mouseClick(child<QPushButton>(&dialog, "okButton"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    NoteStyle expected;
    expected.TextColor = 0x302010;
    expected.BackColor1 = 0x605040;
    expected.BackColor2 = 0xC0B0A0;
    expected.BorderColor = 0x908070;
    expected.Font = {-24, 700, 1, 0, u"黑体"_s};
    expected.Alpha = 200;
    expected.Align = NoteStyle::AlignCentre;
    expected.Grad = NoteStyle::VerticalGradient;
    EXPECT_EQ(StyleOf(window->Note()), expected);
    EXPECT_EQ(StyleOf(entry(h)), expected);
    EXPECT_EQ(entry(h).UpdateTime, now());
    EXPECT_EQ(entry(h).Message, original.Message);
    EXPECT_NEAR(window->windowOpacity(), 200 / 255.0, 0.01);
    EXPECT_GT(window->height(), originalSize.height());
}

TEST_F(NoteWindowTest, PresetNamesOfOneToTenCharactersAreSavedOnce)
{
    const EntryHandle h = addNote(u"x"_s);
    notes->ShowAtStart();
    const QString layout = data.FilePath(u"layout.ini"_s);
    NoteStyleDialog dialog(notes->WindowOf(h)->windowTitle(), layout, services);
    dialog.show();
    auto *presets = child<QComboBox>(&dialog, "presetCombo");
    const auto saveAs = [&](const QStringList &names) {
        QTimer::singleShot(0, [&names] {
            QWidget *save = QApplication::activeModalWidget();
            ASSERT_NE(save, nullptr);
            EXPECT_EQ(save->windowTitle(), u"保存版面设置"_s);
            auto *name = child<QComboBox>(save, "presetNameCombo");
            for (const QString &typed : names) {
                name->lineEdit()->setText(typed);
                QTest::mouseClick(child<QPushButton>(save, "okButton"), Qt::LeftButton);
                if (save->isVisible())
                    expectTip(save, name,
                              typed.isEmpty() ? u"请输入自定义的样式名称"_s : u"请输入(1 - 10)长度的字符"_s);
            }
        });
        QTest::mouseClick(child<QPushButton>(&dialog, "savePresetButton"), Qt::LeftButton);
    };

    saveAs({u""_s, u"12345678901"_s, u"1234567890"_s});
    EXPECT_EQ(presets->count(), 2);
    EXPECT_EQ(presets->currentText(), u"1234567890"_s);
    saveAs({u"1234567890"_s});
    EXPECT_EQ(presets->count(), 2);
    EXPECT_EQ(NoteStylePresets(layout).Names(), (QStringList {u"标准样式"_s, u"1234567890"_s}));

    QTest::mouseClick(child<QPushButton>(&dialog, "deletePresetButton"), Qt::LeftButton);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(presets->count(), 1);
    EXPECT_EQ(NoteStylePresets(layout).Names(), QStringList {u"标准样式"_s});
}
