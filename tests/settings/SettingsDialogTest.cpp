// SPDX-License-Identifier: MIT
#include "settings/SettingsDialog.h"

#include "TestFiles.h"
#include "editor/EditorFixture.h"
#include "fakes/FakeSntpServer.h"
#include "model/AutoSaver.h"
#include "model/ProfileFile.h"
#include "settings/InterfacePage.h"
#include "settings/SkinPreview.h"
#include "settings/SpeakPage.h"
#include "settings/SyncPage.h"
#include "shell/ClockWindow.h"
#include "shell/MenuIds.h"
#include "timesync/TimeSync.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

class SettingsDialogTest : public EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        ASSERT_TRUE(window.Create());
    }

    std::unique_ptr<SettingsDialog> open(int page = SettingsDialog::GeneralIndex, TimeSync *sync = nullptr)
    {
        SettingsDialog::Hooks hooks;
        hooks.announceTime = [this] {
            ++announcements;
        };
        hooks.saved = [this](int parts) {
            savedParts.push_back(parts);
            saver.MarkChanged(parts);
        };
        hooks.timeSync = sync;
        auto dialog = std::make_unique<SettingsDialog>(data, services, window, std::move(hooks), page);
        dialog->show();
        return dialog;
    }

    // Also on a page that is not the one shown.
    static void click(const QObject *parent, const char *name) { child<QAbstractButton>(parent, name)->click(); }
    bool applyEnabled(const SettingsDialog &d) const { return child<QPushButton>(&d, "applyButton")->isEnabled(); }

    // Writes CONFIG.INI as leaving the program would, and reads it back.
    ProfileFile savedConfig()
    {
        saver.SaveNow();
        return ProfileFile(data.FilePath(ConfigFileName));
    }

    // A clock face (key colour magenta, the digit box at (20, 10)) and a
    // digit strip, in a folder of their own.
    QString skinFolder()
    {
        const QString folder = dir.filePath(u"MySkins"_s);
        QDir().mkpath(folder);
        QImage face(150, 60, QImage::Format_RGB32);
        face.fill(Qt::magenta);
        QPainter(&face).fillRect(QRect(5, 5, 140, 50), Qt::darkCyan);
        QPainter(&face).fillRect(QRect(20, 10, 110, 25), Qt::black);
        face.save(QDir(folder).filePath(u"Night.bmp"_s), "BMP");
        QImage strip(180, 25, QImage::Format_RGB32);
        strip.fill(Qt::yellow);
        strip.save(QDir(folder).filePath(u"GOLD.BMP"_s), "BMP");
        QImage(300, 300, QImage::Format_RGB32).save(QDir(folder).filePath(u"photo.bmp"_s), "BMP"); // no skin
        return folder;
    }

    ClockWindow window {data, services};
    AutoSaver saver {data, window};
    int announcements = 0;
    std::vector<int> savedParts;
};

} // namespace

TEST_F(SettingsDialogTest, OpensAtTheAskedPageWithApplyOffUntilSomethingChanges)
{
    using Change = std::function<void(SettingsDialog &)>;
    const std::pair<const char *, Change> changes[] = {
        {"check box",
         [](SettingsDialog &d) {
             click(&d, "calendarOnHoverCheck");
         }},
        {"list",
         [](SettingsDialog &d) {
             child<QComboBox>(&d, "intervalCombo")->setCurrentIndex(3);
         }},
        {"number",
         [](SettingsDialog &d) {
             child<QSpinBox>(&d, "intervalSpin")->stepUp();
         }},
        {"time",
         [](SettingsDialog &d) {
             child<QTimeEdit>(&d, "fromTimeEdit")->setTime(QTime(7, 30));
         }},
        {"slider by key",
         [](SettingsDialog &d) {
             child<QSlider>(&d, "volumeSlider")->triggerAction(QAbstractSlider::SliderSingleStepSub);
         }},
        {"slider released",
         [](SettingsDialog &d) {
             auto *slider = child<QSlider>(&d, "opacitySlider");
             slider->setSliderDown(true);
             slider->setValue(100);
             slider->setSliderDown(false);
         }},
        {"folder",
         [](SettingsDialog &d) {
             child<QComboBox>(&d, "folderCombo")->setEditText(u"/tmp"_s);
         }},
    };
    for (const auto &[what, change] : changes) {
        auto dialog = open(SettingsDialog::SyncIndex);
        EXPECT_EQ(child<QStackedWidget>(dialog.get(), "pageStack")->currentIndex(), SettingsDialog::SyncIndex);
        EXPECT_EQ(child<QListWidget>(dialog.get(), "pageList")->currentRow(), SettingsDialog::SyncIndex);
        EXPECT_FALSE(applyEnabled(*dialog)) << what;
        change(*dialog);
        EXPECT_TRUE(applyEnabled(*dialog)) << what;
        click(dialog.get(), "applyButton");
        EXPECT_FALSE(applyEnabled(*dialog)) << what;
        dialog->reject();
    }
    EXPECT_EQ(
        savedParts,
        std::vector<int>(std::size(changes),
                         SaveJob::GeneralGroup | SaveJob::SpeakGroup | SaveJob::SyncGroup | SaveJob::InterfaceGroup));

    // Play speaks with the settings in force and changes nothing; OK
    // without a change saves nothing.
    auto dialog = open(SettingsDialog::SpeakIndex);
    click(dialog.get(), "playButton");
    EXPECT_EQ(announcements, 1);
    EXPECT_FALSE(applyEnabled(*dialog));
    click(dialog.get(), "okButton");
    EXPECT_EQ(savedParts.size(), std::size(changes));
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(SettingsDialogTest, PagesShowTheSettingsAndOkStoresEveryPageInItsGroup)
{
    AppSettings &s = data.Settings;
    s.General = {1, 3, 2};
    s.Speak.Volume = 40;
    s.Speak.TimeCyc = 2;
    s.Speak.EnableIfChime = 0;
    s.Synchronization.SynMinute = 6;
    s.Synchronization.LimitSyn = 1;
    ASSERT_TRUE(WriteTestFile(data.FilePath(TimeSync::ServerListName), "time.b.org\r\ntime.a.org\r\n"));
    s.Synchronization.Server = 1;
    s.Interface.Transparence = 128;
    auto dialog = open();
    SettingsDialog &d = *dialog;

    EXPECT_TRUE(child<QCheckBox>(&d, "calendarOnHoverCheck")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(&d, "alwaysOnTopCheck")->isChecked()); // the menu's check mark
    EXPECT_EQ(child<QComboBox>(&d, "clockDoubleClickCombo")->currentText(), u"显示日历"_s);
    EXPECT_EQ(child<QComboBox>(&d, "trayDoubleClickCombo")->currentText(), u"语音报时"_s);
    EXPECT_EQ(child<QLabel>(&d, "volumeLabel")->text(), u"音量: 40%"_s);
    EXPECT_EQ(child<QComboBox>(&d, "intervalCombo")->currentText(), u"15 分钟"_s);
    EXPECT_FALSE(child<QComboBox>(&d, "chimeCombo")->isEnabled());
    EXPECT_EQ(child<QSpinBox>(&d, "intervalSpin")->value(), 6);
    EXPECT_FALSE(child<QSpinBox>(&d, "intervalSpin")->isEnabled()); // AutoSyn is off
    EXPECT_EQ(child<QComboBox>(&d, "serverCombo")->currentText(), u"time.b.org"_s);
    EXPECT_EQ(child<QGroupBox>(&d, "opacityGroup")->title(), u"透明度: 50%"_s);

    click(&d, "alwaysOnTopCheck");
    click(&d, "startMinimisedCheck");
    EXPECT_TRUE(child<QCheckBox>(&d, "showMissedCheck")->isChecked()); // on unless switched off
    click(&d, "showMissedCheck");
    child<QComboBox>(&d, "clockDoubleClickCombo")->setCurrentIndex(1);
    child<QSlider>(&d, "volumeSlider")->setValue(70);
    click(&d, "chimeCheck");
    EXPECT_TRUE(child<QComboBox>(&d, "chimeCombo")->isEnabled());
    child<QComboBox>(&d, "chimeCombo")->setCurrentIndex(2);
    click(&d, "autoSyncCheck");
    auto *hours = child<QSpinBox>(&d, "intervalSpin");
    hours->setValue(24);
    hours->stepUp(); // wraps round
    child<QComboBox>(&d, "serverCombo")->setCurrentIndex(0);
    click(&d, "randomDigitsCheck");
    EXPECT_FALSE(child<QComboBox>(&d, "digitsCombo")->isEnabled());
    child<QSlider>(&d, "opacitySlider")->setValue(200);
    EXPECT_NEAR(window.windowOpacity(), 200 / 255.0, 0.01); // at once, before Apply
    click(&d, "okButton");

    // At once in the program: the window, its menu and the settings.
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.Menu().IsChecked(MenuId::StartMinimised));
    EXPECT_EQ(s.General.DbClick, 1);
    EXPECT_EQ(s.Speak.Volume, 70);

    const ProfileFile config = savedConfig();
    QStringList sections;
    config.GetSectionNames(sections);
    EXPECT_EQ(sections,
              (QStringList {u"General Settings"_s, u"Clock Settings"_s, u"Speak Settings"_s,
                            u"Synchronization Settings"_s, u"Interface Settings"_s, u"Extra Settings"_s}));
    const auto value = [&config](const char *section, const char *key) {
        return config.ReadString(QString::fromLatin1(section), QString::fromLatin1(key), u"<none>"_s);
    };
    const struct
    {
        const char *section;
        const char *key;
        QString value;
    } expected[] = {
        {"General Settings", "ShowTooltip", u"1"_s},
        {"Extra Settings", "ShowMissed", u"0"_s},
        {"General Settings", "DbClick", u"1"_s},
        {"General Settings", "DbClick2", u"2"_s},
        {"Clock Settings", "AutoSmall", u"1"_s},
        {"Clock Settings", "AlwaysOntop", u"0"_s},
        {"Speak Settings", "Volume", u"70"_s},
        {"Speak Settings", "TimeCyc", u"2"_s},
        {"Speak Settings", "DateTimePre", u"2"_s},
        {"Speak Settings", "EnableIfChime", u"1"_s},
        {"Synchronization Settings", "AutoSyn", u"1"_s},
        {"Synchronization Settings", "SynMinute", u"1"_s},
        {"Synchronization Settings", "LimitSyn", u"1"_s}, // kept, though hidden
        {"Synchronization Settings", "Server", u"0"_s},
        {"Interface Settings", "RandomSkin", u"0"_s},
        {"Interface Settings", "RandomTime", u"1"_s},
        {"Interface Settings", "Transparence", u"200"_s},
        {"Interface Settings", "BitmapFile Path", data.SkinDirectory()},
    };
    for (const auto &e : expected)
        EXPECT_EQ(value(e.section, e.key), e.value) << e.section << " " << e.key;
}

TEST_F(SettingsDialogTest, CancelStoresNothingAndTakesBackTheOpacity)
{
    auto dialog = open(SettingsDialog::InterfaceIndex);
    click(dialog.get(), "calendarOnHoverCheck");
    child<QSlider>(dialog.get(), "opacitySlider")->setValue(60);
    EXPECT_LT(window.windowOpacity(), 0.5);
    click(dialog.get(), "cancelButton");
    EXPECT_DOUBLE_EQ(window.windowOpacity(), 1.0);
    EXPECT_EQ(data.Settings.General.ShowTooltip, 0);
    EXPECT_TRUE(savedParts.empty());
    QStringList sections;
    savedConfig().GetSectionNames(sections);
    // Only what leaving always writes: the window and the moment it last ran.
    EXPECT_EQ(sections, (QStringList {u"Clock Settings"_s, u"Extra Settings"_s}));
}

TEST_F(SettingsDialogTest, StartWithTheSystemIsTheAutostartEntry)
{
    for (const bool before : {false, true}) {
        fakes.autostart.enabled = before;
        auto dialog = open();
        auto *box = child<QCheckBox>(dialog.get(), "autostartCheck");
        EXPECT_EQ(box->isChecked(), before);
        click(dialog.get(), "autostartCheck");
        click(dialog.get(), "okButton");
        EXPECT_EQ(fakes.autostart.enabled, !before);
        EXPECT_EQ(window.Menu().IsChecked(MenuId::RunAtStartup), !before);
    }
}

TEST_F(SettingsDialogTest, AnEndTimeNotAfterTheStartIsPointedOutButStored)
{
    auto dialog = open(SettingsDialog::SpeakIndex);
    QApplication::setActiveWindow(dialog.get());
    click(dialog.get(), "limitCheck");
    child<QTimeEdit>(dialog.get(), "fromTimeEdit")->setTime(QTime(8, 0));
    auto *to = child<QTimeEdit>(dialog.get(), "toTimeEdit");
    to->setTime(QTime(8, 0));
    expectTip(dialog.get(), to, SpeakPage::EndBeforeStartText());
    click(dialog.get(), "okButton");
    const SpeakSettings &speak = data.Settings.Speak;
    EXPECT_EQ(std::tuple(speak.BeteenFromHour, speak.BeteenFromMin, speak.BeteenToHour, speak.BeteenToMin),
              std::tuple(8, 0, 8, 0));
    EXPECT_EQ(speak.EnableLimitTime, 1);
}

TEST_F(SettingsDialogTest, SynchroniseNowNeedsAServerAndWaitsForTheExchange)
{
    auto empty = open(SettingsDialog::SyncIndex);
    click(empty.get(), "syncNowButton");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, SyncPage::NoServerText());
    empty->reject();

    FakeSntpServer server; // silent: the exchange runs until its time-out
    ASSERT_TRUE(WriteTestFile(data.FilePath(TimeSync::ServerListName), (server.Name() + u"  \r\n"_s).toLatin1()));
    TimeSync sync(fakes.clock, &fakes.time, data.Settings.Synchronization, {}, SntpOptions {123, 300, {}});
    auto dialog = open(SettingsDialog::SyncIndex, &sync);
    auto *button = child<QPushButton>(dialog.get(), "syncNowButton");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(sync.IsRunning());
    EXPECT_FALSE(button->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.requests.isEmpty(); }, 2000)); // name without the blanks
    ASSERT_TRUE(QTest::qWaitFor([&] { return button->isEnabled(); }, 3000));
    EXPECT_FALSE(sync.IsRunning());
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(SettingsDialogTest, InterfacePageListsAFoldersSkinsPreviewsThemAndApplyUsesThem)
{
    const QString folder = skinFolder();
    auto dialog = open(SettingsDialog::InterfaceIndex);
    auto *page = dialog->findChild<InterfacePage *>();
    ASSERT_NE(page, nullptr);
    QString askedFrom;
    page->setFolderChooser([&](QWidget *, const QString &start) {
        askedFrom = start;
        return folder;
    });
    auto *faces = child<QComboBox>(dialog.get(), "backgroundCombo");
    auto *digits = child<QComboBox>(dialog.get(), "digitsCombo");
    EXPECT_EQ(faces->currentText(), u"DEFULT.BMP"_s);
    EXPECT_EQ(digits->currentText(), u"BLACKGREEN.BMP"_s);

    click(dialog.get(), "browseFolderButton");
    EXPECT_EQ(QDir(askedFrom), QDir(data.SkinDirectory()));
    EXPECT_EQ(QDir::fromNativeSeparators(child<QComboBox>(dialog.get(), "folderCombo")->currentText()), folder);
    const auto items = [](const QComboBox *list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->itemText(i);
        return texts;
    };
    EXPECT_EQ(items(faces), (QStringList {u"DEFULT.BMP"_s, u"Night.bmp"_s}));
    EXPECT_EQ(items(digits), (QStringList {u"BLACKGREEN.BMP"_s, u"GOLD.BMP"_s}));
    EXPECT_TRUE(applyEnabled(*dialog));

    faces->setCurrentIndex(1);
    digits->setCurrentIndex(1);
    // The preview: the face with its key colour as the dialog's
    // background, the digits in its digit box.
    auto *preview = child<SkinPreview>(dialog.get(), "preview");
    const QImage shown = preview->grab().toImage();
    const QPoint origin = preview->FaceRect().topLeft() * shown.devicePixelRatio();
    EXPECT_EQ(shown.pixelColor(origin), preview->palette().color(QPalette::Window));
    EXPECT_EQ(shown.pixelColor(origin + QPoint(50, 5) * shown.devicePixelRatio()), QColor(Qt::darkCyan));
    EXPECT_EQ(shown.pixelColor(origin + QPoint(25, 15) * shown.devicePixelRatio()), QColor(Qt::yellow));

    click(dialog.get(), "applyButton");
    EXPECT_EQ(window.size(), QSize(150, 60));
    EXPECT_EQ(window.DigitOrigin(), QPoint(20, 10));
    EXPECT_EQ(data.Settings.Clock.DialogBitmap, QDir(folder).filePath(u"Night.bmp"_s));
    EXPECT_EQ(data.Settings.Clock.NumberBitmap, QDir(folder).filePath(u"GOLD.BMP"_s));
    EXPECT_EQ(data.Settings.Interface.BitmapFilePath, folder);
    const ProfileFile config = savedConfig();
    EXPECT_EQ(config.ReadString(u"Clock Settings"_s, u"Dialog Bitmap"_s, {}), QDir(folder).filePath(u"Night.bmp"_s));

    // The built-in face again, from the list's first entry.
    faces->setCurrentIndex(0);
    click(dialog.get(), "okButton");
    EXPECT_EQ(window.size(), LoadSkinBitmap(BuiltInDialogBitmap).size());
}
