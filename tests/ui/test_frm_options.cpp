// The preferences dialog tab by tab: what each tab shows, what its controls change before
// Apply, what Apply does to the table and to the sound files, and what is dropped.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QtTest>
#include <filesystem>

#include "display/frmOptions.h"
#include "fake_table.h"
#include "platform/tab_strip.h"

using korbo::Ctl;
using korbo::test::Bytes;
using korbo::test::FakeTable;
using korbo::ui::frmOptions;
namespace prefs = korbo::prefs;

namespace {

void Put(Bytes& b, size_t at, const std::string& s, size_t width) {
    if (b.size() < at + width) b.resize(at + width, ' ');
    for (size_t i = 0; i < width; ++i) b[at + i] = i < s.size() ? static_cast<uint8_t>(s[i]) : ' ';
}
std::string Get(const Bytes& b, size_t at, size_t width) {
    std::string s(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + width));
    return korbo::records::TrimBlanks(s);
}

// wav.ran: record i holds "d<i>.wav" and "c<i>.wav".
Bytes SchemeFile() {
    Bytes b;
    for (int i = 1; i <= 15; ++i) {
        Put(b, 200 * (i - 1), "d" + std::to_string(i) + ".wav", 100);
        Put(b, 200 * (i - 1) + 100, "c" + std::to_string(i) + ".wav", 100);
    }
    return b;
}

// A persona file whose sounds are "zd<i>.wav" and "zc<i>.wav" and whose picture is zed.jpg.
Bytes PersonaFile() {
    Bytes b(5020, ' ');
    for (int i = 1; i <= 35; ++i) Put(b, 50 * i, "zed says " + std::to_string(i), 50);
    for (int i = 1; i <= 15; ++i) {
        Put(b, 1800 + 100 * (0 + 2 * i), "zd" + std::to_string(i) + ".wav", 100);
        Put(b, 1800 + 100 * (1 + 2 * i), "zc" + std::to_string(i) + ".wav", 100);
    }
    Put(b, 5000, "zed.jpg", 20);
    return b;
}

struct Table : FakeTable {
    Table() {
        game.CardStyle = 2;
        game.CardsDllOk = 1;
        game.DeckColor = prefs::kDefaultDeckColor;
        game.MatColor = 0x8000;
        game.FontColor = 0;
        game.PeopleNames = {"Korbo", "Zed"};
        game.PersonaFileCount = 1;
        view.fontSize[{Ctl::Label9, 2}] = 12;
        for (int i = 1; i <= 15; ++i) game.Sounds[i] = Path("Sounds/d" + std::to_string(i) + ".wav");
        korbo::test::WriteBytes(Path("wav.ran"), SchemeFile());
        korbo::test::WriteBytes(Path("users/Zed.pms"), PersonaFile());
    }
    std::string PersonaPicture() override { return game.PersonIndex == 0 ? "Korbo.jpg" : "zed.jpg"; }
    void ShowAvatarPicture(const std::string& path) override { calls.push_back("Avatar " + path); }
    bool Logged(const std::string& line) const {
        return std::find(view.log.begin(), view.log.end(), line) != view.log.end();
    }
};

void Tab(frmOptions& d, int tab) { d.tbsOptions()->SetSelectedItem(tab); }

}  // namespace

class PreferencesTest : public QObject {
    Q_OBJECT
private slots:
    void theFiveTabsAndTheirFrames() {
        Table t;
        frmOptions d(t);
        QCOMPARE(d.windowTitle(), QString("Preferences"));
        const char* captions[] = {"Pick a Card", "Deck Styles", "Font Properties", "Ruzavovu Sounds", "Personality"};
        QCOMPARE(d.tbsOptions()->Count(), 5);
        for (int i = 1; i <= 5; ++i) {
            QCOMPARE(QString::fromStdString(d.tbsOptions()->Caption(i)), QString(captions[i - 1]));
            QCOMPARE(d.tbsOptions()->Key(i), "Group" + std::to_string(i));
            QCOMPARE(d.tbsOptions()->ToolTip(i), "Set Options for Group " + std::to_string(i));
        }
        // The strip's size and the dialog around it, the buttons under it.
        const double tpp = korbo::ui::TwipsPerPixel();
        QVERIFY(std::abs(d.tbsOptions()->width() * tpp - 5595) < tpp);
        QVERIFY(std::abs(d.width() * tpp - 6095) < tpp);
        QVERIFY(std::abs(d.height() * tpp - 7015) < tpp);
        QVERIFY(d.cmdApply()->y() > d.tbsOptions()->geometry().bottom());
        d.show();
        // Every caption stands whole on the strip, without scroll buttons.
        QTabBar* bar = d.tbsOptions()->Bar();
        QVERIFY(bar->tabRect(4).right() < d.tbsOptions()->width());
        for (int i = 0; i < 5; ++i)
            QVERIFY(bar->tabRect(i).width() >= bar->fontMetrics().horizontalAdvance(bar->tabText(i)));
        for (int tab : {1, 3, 5, 2, 4}) {
            Tab(d, tab);
            for (int f = 0; f < 5; ++f) QCOMPARE(d.FrmOp(f)->isVisible(), f == tab - 1);
            QVERIFY(d.tbsOptions()->ClientArea().contains(d.FrmOp(tab - 1)->geometry()));
        }
        // Ctrl+Tab steps on, and from the last tab back to the first.
        QTest::keyClick(&d, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(d.tbsOptions()->SelectedItem(), 5);
        QTest::keyClick(&d, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(d.tbsOptions()->SelectedItem(), 1);
        QVERIFY(d.FrmOp(0)->isVisible());
    }

    void aCardStyleNotAppliedIsDroppedWithTheTab() {
        Table t;
        frmOptions d(t);
        QVERIFY(d.OptCard(2)->isChecked());
        QVERIFY(!d.cmdApply()->isEnabled());
        d.OptCard(2)->click();  // the style in use
        QVERIFY(!d.cmdApply()->isEnabled());
        d.OptCard(4)->click();
        QVERIFY(d.cmdApply()->isEnabled());
        QCOMPARE(d.FilePic(5)->Picture().a, 4);
        QCOMPARE(d.FilePic(5)->Picture().b, 5);
        Tab(d, 2);
        QVERIFY(!d.cmdApply()->isEnabled());
        QCOMPARE(int(t.game.CardStyle), 2);
        Tab(d, 1);
        QVERIFY(d.OptCard(2)->isChecked());
        QCOMPARE(d.PendingStyle(), 2);
    }

    void applyingACardStyleEmptiesThePicturesAndLoadsTheFaces() {
        Table t;
        frmOptions d(t);
        d.OptCard(5)->click();
        d.cmdApply()->click();
        QCOMPARE(int(t.game.CardStyle), 5);
        QVERIFY(t.Logged("LoadCardFaceSet 5"));
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE((t.view.backColor[{Ctl::Picture4, i}]), prefs::kEmptyPlaceColor);
            QCOMPARE(t.view.Drawn(Ctl::Picture4, i), -1);  // emptied
        }
        for (int i = 1; i <= 10; ++i) {
            QCOMPARE(t.view.Drawn(Ctl::Picture7, i), -1);
            QCOMPARE(t.view.Drawn(Ctl::Picture1, i), -1);
        }
        QVERIFY(!d.cmdApply()->isEnabled());
    }

    void pictureCardsWarnOnANarrowScreenAndFallBackWithoutTheLibrary() {
        Table t;
        t.game.ScreenWidth = 9600;
        frmOptions d(t);
        d.OptCard(6)->click();
        QCOMPARE(t.view.boxes.size(), size_t(1));
        QVERIFY(t.view.boxes[0].text.rfind("Picture cards will not display properly", 0) == 0);
        QCOMPARE(d.PendingStyle(), 6);  // the choice stays
        QCOMPARE(d.FilePic(13)->LibraryCard(), 13);
        t.game.ScreenWidth = 15360;
        t.game.CardsDllOk = 0;
        d.OptCard(6)->click();
        QCOMPARE(t.view.boxes.back().text, std::string("Problem loading QCards32.DLL"));
        QCOMPARE(d.PendingStyle(), 1);
        QVERIFY(d.OptCard(1)->isChecked());
        QVERIFY(!d.OptCard(6)->isChecked());
        QCOMPARE(d.FilePic(1)->Picture().a, 1);
    }

    void aDesignerDeckDisablesDeckColourAndTheResetStoresTheStandardDeck() {
        Table t;
        frmOptions d(t);
        Tab(d, 2);
        QVERIFY(d.Command2(0)->isEnabled());
        d.FilePic_Click(frmOptions::kFirstDesigner + 2);
        QVERIFY(!d.Command2(0)->isEnabled());
        QCOMPARE(d.PendingDeck(), 3);
        QCOMPARE(d.FilePic(frmOptions::kCurrentDeck)->Picture(), d.FilePic(18)->Picture());
        d.FilePic_Click(frmOptions::kResetCard);
        QVERIFY(d.Command2(0)->isEnabled());
        QCOMPARE(d.PendingDeck(), 0);
        QCOMPARE(d.FilePic(frmOptions::kCurrentDeck)->BackColor(), prefs::kDefaultDeckColor);
        QCOMPARE(d.ColourOf(d.Frame1()), prefs::kDefaultMatColor);
        t.game.DeckChoice = 4;
        d.cmdApply()->click();
        QCOMPARE(int(t.game.DeckChoice), 0);
        QCOMPARE(t.game.DeckColor, prefs::kDefaultDeckColor);
        QVERIFY(t.Logged("SetCardBack 0 1"));
        QVERIFY(t.Logged("ResetPilePictures"));  // no game dealt yet
        // A designer deck applied: its back, and no reset of the piles during a game.
        t.game.TableDealt = true;
        t.view.log.clear();
        d.FilePic_Click(frmOptions::kLastDesigner);
        d.cmdApply()->click();
        QCOMPARE(int(t.game.DeckChoice), 5);
        QVERIFY(t.Logged("SetCardBack 5 0"));
        QVERIFY(!t.Logged("ResetPilePictures"));
        // An inactive picture turns Apply off.
        d.FilePic_Click(frmOptions::kStandardDeck);
        QVERIFY(d.cmdApply()->isEnabled());
        d.FilePic_Click(frmOptions::kCurrentDeck);
        QVERIFY(!d.cmdApply()->isEnabled());
    }

    void theResetCardTakesTheDefaultOfTheScreensColours_data() {
        QTest::addColumn<long>("bits");
        QTest::addColumn<long>("colour");
        QTest::addColumn<bool>("warned");
        QTest::newRow("256 colours") << 8L << prefs::kDeckColorFewColours << true;
        QTest::newRow("true colour") << 24L << prefs::kDefaultDeckColor << false;
    }
    void theResetCardTakesTheDefaultOfTheScreensColours() {
        QFETCH(long, bits);
        QFETCH(long, colour);
        QFETCH(bool, warned);
        Table t;
        t.game.ColorBits = bits;
        frmOptions d(t);
        d.show();
        Tab(d, 2);
        QCOMPARE(d.labNot256()->isVisible(), warned);
        d.FilePic_Click(frmOptions::kResetCard);
        QCOMPARE(d.FilePic(frmOptions::kStandardDeck)->BackColor(), colour);
    }

    void aCancelledColourChangesNothingAndAChosenOneIsApplied() {
        Table t;
        frmOptions d(t);
        Tab(d, 2);
        d.Command2(1)->click();  // cancelled
        QVERIFY(!d.cmdApply()->isEnabled());
        QCOMPARE(t.dialog.colourStarts.back(), std::optional<long>(0x8000));
        t.dialog.colours.push_back(0x123456);
        d.Command2(1)->click();
        QCOMPARE(d.ColourOf(d.Frame1()), 0x123456L);
        d.cmdApply()->click();
        QCOMPARE(t.game.MatColor, 0x123456L);
        // The font's mat colour starts from wherever the picker was left.
        Tab(d, 3);
        t.dialog.colours.push_back(0x654321);
        d.Command2(3)->click();
        QCOMPARE(t.dialog.colourStarts.back(), std::optional<long>());
        QCOMPARE(d.ColourOf(d.Frame3()), 0x654321L);
    }

    void theFontTabKeepsItsSampleSizeWithinBoundsAndAppliesToTheLabels() {
        Table t;
        frmOptions d(t);
        Tab(d, 3);
        QCOMPARE(d.FontSizeOf(d.LblFont(0)), 12.0);
        QCOMPARE(d.LblFont(1)->text(), QString("This is how the font size and color appears on the picture background."));
        for (int i = 0; i < 80; ++i) d.CmdSz(0)->click();
        QCOMPARE(d.FontSizeOf(d.LblFont(0)), prefs::kMaxFontSize);
        QCOMPARE(d.FontSizeOf(d.LblFont(1)), prefs::kMaxFontSize);
        for (int i = 0; i < 80; ++i) d.CmdSz(1)->click();
        QCOMPARE(d.FontSizeOf(d.LblFont(0)), prefs::kMinFontSize);
        d.CmdSz(0)->click();
        t.dialog.colours.push_back(0x0000FF);
        d.Command2(2)->click();
        QCOMPARE(d.TextColour(d.LblFont(1)), 0x0000FFL);
        d.CKFnt()->click();
        QVERIFY(d.LblFont(1)->autoFillBackground());
        d.cmdApply()->click();
        QCOMPARE((t.view.fontSize[{Ctl::Label9, 2}]), 7.0);
        for (int i = 1; i <= 3; ++i) QCOMPARE((t.view.fontSize[{Ctl::LblWild, i}]), 7.0);
        for (int i = 1; i <= 4; ++i) QCOMPARE((t.view.foreColor[{Ctl::Label9, i}]), 0x0000FFL);
        QCOMPARE(t.game.FontColor, 0x0000FFL);
        QVERIFY(t.game.MatColorOn);
        QCOMPARE((t.view.backStyle[{Ctl::Label9, 2}]), 1);
        // Restore sets the samples back but applies nothing by itself.
        d.CmdRestore()->click();
        QCOMPARE(d.FontSizeOf(d.LblFont(0)), 12.0);
        QCOMPARE(d.TextColour(d.LblFont(0)), 0L);
        QVERIFY(d.cmdApply()->isEnabled());
        QCOMPARE(t.game.FontColor, 0x0000FFL);
    }

    void useDefaultWritesNothingButSetsTheSounds() {
        Table t;
        const Bytes before = korbo::test::ReadBytes(t.Path("wav.ran"));
        frmOptions d(t);
        Tab(d, 4);
        QVERIFY(d.Option2(0)->isChecked());
        QCOMPARE(d.Label3()->text(), QString("SOUNDS for current personality:  Korbo"));
        QCOMPARE(d.SoundNames()[3], t.Path("Sounds/d3.wav"));
        d.Option1(3)->click();
        QVERIFY(!d.Command1()->isEnabled());  // nothing to change in the default column
        QVERIFY(!d.Option1(3)->isChecked());
        QCOMPARE(t.view.files.back(), t.Path("Sounds/d3.wav"));
        d.Option2(0)->click();
        d.cmdApply()->click();
        QCOMPARE(korbo::test::ReadBytes(t.Path("wav.ran")), before);
        QCOMPARE(d.Label1()->text(), QString("Sound options saved!"));
        QCOMPARE(t.game.Sounds[3], t.Path("Sounds/d3.wav"));
        QCOMPARE(int(t.game.SoundScheme), 0);
        // Apply without a change does nothing on this tab.
        t.game.Sounds[3] = "kept";
        QVERIFY(!d.cmdApply()->isEnabled());
        d.cmdApply_Click();
        QCOMPARE(t.game.Sounds[3], std::string("kept"));
    }

    void aCustomSoundIsWrittenIntoTheCustomColumnOnly() {
        Table t;
        const Bytes before = korbo::test::ReadBytes(t.Path("wav.ran"));
        frmOptions d(t);
        Tab(d, 4);
        d.Option2(1)->click();
        QCOMPARE(d.Label1()->text(), QString("Make sound scheme changes..."));
        QCOMPARE(d.SoundNames()[5], t.Path("Sounds/c5.wav"));
        d.Option1(5)->click();
        QVERIFY(d.Command1()->isEnabled());
        t.dialog.files.push_back(std::string("/elsewhere/ding.wav"));
        d.Command1()->click();
        QCOMPARE(t.dialog.opened.back().filter, std::string("Wav Sounds (*.wav)|*.wav"));
        QCOMPARE(t.dialog.opened.back().initDir, t.Path("Sounds"));
        QCOMPARE(d.Label1()->text(), QString("/elsewhere/ding.wav"));
        d.cmdApply()->click();
        const Bytes now = korbo::test::ReadBytes(t.Path("wav.ran"));
        for (int i = 1; i <= 15; ++i) {
            QCOMPARE(Get(now, 200 * (i - 1), 100), Get(before, 200 * (i - 1), 100));  // the defaults stay
            QCOMPARE(Get(now, 200 * (i - 1) + 100, 100), i == 5 ? std::string("/elsewhere/ding.wav")
                                                                 : "c" + std::to_string(i) + ".wav");
        }
        QCOMPARE(t.game.Sounds[5], std::string("/elsewhere/ding.wav"));
        QCOMPARE(t.game.Sounds[6], t.Path("Sounds/c6.wav"));
        QCOMPARE(int(t.game.SoundScheme), 1);
        QVERIFY(!d.Command1()->isEnabled());
    }

    void aPersonasCustomSoundsGoIntoItsFile() {
        Table t;
        t.game.PersonIndex = 1;
        t.game.SoundScheme = 1;
        const Bytes before = korbo::test::ReadBytes(t.Path("users/Zed.pms"));
        frmOptions d(t);
        Tab(d, 4);
        QVERIFY(d.Option2(1)->isChecked());
        QCOMPARE(d.SoundNames()[15], t.Path("Sounds/zc15.wav"));
        d.Option1(15)->click();
        t.dialog.files.push_back(t.Path("Sounds/new.wav"));
        d.Command1()->click();
        d.cmdApply()->click();
        const Bytes now = korbo::test::ReadBytes(t.Path("users/Zed.pms"));
        QCOMPARE(now.size(), size_t(5020));
        // A file of the Sounds folder is kept by its bare name.
        QCOMPARE(Get(now, 1800 + 100 * (1 + 2 * 15), 100), std::string("new.wav"));
        for (size_t at = 0; at < now.size(); ++at)
            if (at < 1800 + 100 * 31 || at >= 1800 + 100 * 32) QCOMPARE(now[at], before[at]);
        QVERIFY(korbo::test::ReadBytes(t.Path("wav.ran")) == SchemeFile());
    }

    void aSoundTableThatCannotBeReadIsToldAndNothingIsWritten() {
        Table t;
        std::filesystem::remove(t.Path("wav.ran"));
        std::filesystem::create_directories(t.Path("wav.ran"));
        frmOptions d(t);
        Tab(d, 4);
        QVERIFY(!t.view.boxes.empty());
        QVERIFY(t.view.boxes.back().text.rfind("Here's the problem:", 0) == 0);
        d.Option2(1)->click();
        const std::string before = t.game.Sounds[1];
        d.cmdApply()->click();
        QCOMPARE(t.game.Sounds[1], before);
        QVERIFY(std::filesystem::is_directory(t.Path("wav.ran")));
    }

    void applyingANewPersonaResetsSoundsCommentsAndAvatar() {
        Table t;
        t.game.SoundScheme = 1;
        t.game.NoComments = true;
        t.game.ChatterLevel = 3;
        frmOptions d(t);
        Tab(d, 5);
        QVERIFY(d.Check1(1)->isChecked());
        QCOMPARE(d.Combo1()->count(), 2);
        QCOMPARE(d.Combo1()->itemText(1), QString("Zed"));
        d.Combo1()->setCurrentIndex(1);
        d.Combo1_Click();
        QVERIFY(d.cmdApply()->isEnabled());
        t.calls.clear();
        d.cmdApply()->click();
        QCOMPARE(int(t.game.PersonIndex), 1);
        QVERIFY(!t.game.NoComments);
        QVERIFY(!d.Check1(1)->isChecked());
        QCOMPARE(int(t.game.ChatterLevel), 1);
        QVERIFY(t.commentChecks[1]);
        QCOMPARE(int(t.game.SoundScheme), 0);
        QCOMPARE(t.game.Sounds[2], t.Path("Sounds/zd2.wav"));
        QCOMPARE(t.game.AvatarFile, std::string("zed.jpg"));
        QCOMPARE(t.calls.back(), "Avatar " + t.Path("Avatars/zed.jpg"));
        QVERIFY(std::find(t.calls.begin(), t.calls.end(), "ChangePerson") != t.calls.end());
        QCOMPARE(t.view.menus[korbo::Menu::Lang], true);
    }

    void theSwitchesActAtOnce() {
        Table t;
        t.game.ChatterLevel = 2;
        for (int i = 1; i <= 35; ++i) t.game.Comments[i] = "line";
        frmOptions d(t);
        Tab(d, 5);
        d.Check1(0)->click();
        QVERIFY(t.game.NoWinAnim);
        QCOMPARE(int(t.game.ChatterLevel), 1);
        d.Check1(2)->click();
        QVERIFY(t.game.NoLoseAnim);
        d.Check1(1)->click();
        QVERIFY(t.game.NoComments);
        QCOMPARE(t.view.menus[korbo::Menu::Lang], false);
        QCOMPARE(t.game.Comments[34], std::string());
        QCOMPARE(t.game.Comments[35], std::string("line"));
        t.calls.clear();
        d.Check1(1)->click();
        QVERIFY(!t.game.NoComments);
        QCOMPARE(t.calls, std::vector<std::string>{"ChangeComments"});
        // The persona list is fixed during a network game; one beyond the list is Korbo.
        Table net;
        net.game.NetActive = true;
        net.game.PersonIndex = 7;
        frmOptions n(net);
        QCOMPARE(int(net.game.PersonIndex), 0);
        Tab(n, 5);
        QVERIFY(!n.Combo1()->isEnabled());
    }

    void okAppliesTheCurrentTabAndCancelDoesNot() {
        {
            Table t;
            frmOptions d(t);
            d.OptCard(3)->click();
            d.cmdOK()->click();
            QCOMPARE(int(t.game.CardStyle), 3);
            QCOMPARE(d.result(), int(QDialog::Accepted));
        }
        Table t;
        frmOptions d(t);
        d.OptCard(3)->click();
        d.cmdCancel()->click();
        QCOMPARE(int(t.game.CardStyle), 2);
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(PreferencesTest)
#include "test_frm_options.moc"
