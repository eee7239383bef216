// The windows and pictures around a real table: the background painted tiled or stretched
// and added through the file dialog, the avatar shown, changed and put back, and the HOLD
// viewer over the table's own piles.
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>

#include "display/around_table.h"
#include "display/frmHold.h"
#include "fake_table.h"
#include "table_fixture.h"

using namespace korbo;
using korbo::test::BoxAnswerer;
using korbo::test::ScriptedDialog;
using korbo::test::StartTable;
using korbo::ui::AroundTable;
using korbo::ui::frmKorbo;
namespace fs = std::filesystem;

namespace {

struct Table {
    Table() {
        game().BaseDir = folder.path().toStdString();
        for (const char* sub : {"users", "Avatars", "backgrounds", "elsewhere"}) QDir(folder.path()).mkpath(sub);
        t.pauseScale = 0;
        StartTable(t);
        auto d = std::make_unique<ScriptedDialog>();
        dialog = d.get();
        around.SetCommonDialog(std::move(d));
    }
    Game& game() { return t.game(); }
    std::string Path(const std::string& rel) { return game().BaseDir + "/" + rel; }
    void Save(const QImage& img, const std::string& rel) { QVERIFY(img.save(QString::fromStdString(Path(rel)), "BMP")); }

    QTemporaryDir folder;
    frmKorbo t;
    AroundTable& around{t.Around()};
    ScriptedDialog* dialog = nullptr;
};

}  // namespace

class AroundTableTest : public QObject {
    Q_OBJECT
private slots:
    void aTileBackgroundCoversTheTableWithUnscaledTilesFromTheTopLeft() {
        Table tb;
        const QImage tile = korbo::test::DistinctImage(37, 23);
        tb.Save(tile, "backgrounds/Tile_check.bmp");
        tb.around.ReadBacks();
        Game& g = tb.game();
        QCOMPARE(int(g.BackPicCount), 1);
        g.BackIndex = 1;
        tb.around.BackgroundPaint();
        const QImage painted = tb.around.Painted().toImage();
        QWidget* surface = tb.t.centralWidget();
        QCOMPARE(painted.size(), surface->size());
        for (int y = 0; y < painted.height(); ++y)
            for (int x = 0; x < painted.width(); ++x)
                if (painted.pixel(x, y) != tile.pixel(x % 37, y % 23)) QFAIL(qPrintable(QString("%1,%2").arg(x).arg(y)));
        // The table's surface shows exactly that picture behind the cards.
        QCOMPARE(surface->palette().brush(QPalette::Window).texture().toImage(), painted);
        QCOMPARE(tb.around.BackgroundPicture().toImage().convertToFormat(QImage::Format_RGB32), tile);
    }

    void anyOtherPictureIsStretchedOverTheTable() {
        Table tb;
        QImage quarters(2, 2, QImage::Format_RGB32);
        quarters.setPixel(0, 0, qRgb(255, 0, 0));
        quarters.setPixel(1, 0, qRgb(0, 255, 0));
        quarters.setPixel(0, 1, qRgb(0, 0, 255));
        quarters.setPixel(1, 1, qRgb(255, 255, 255));
        tb.Save(quarters, "backgrounds/quarters.bmp");
        tb.around.ReadBacks();
        tb.game().BackIndex = 1;
        tb.around.BackgroundPaint();
        const QImage painted = tb.around.Painted().toImage();
        const int w = painted.width(), h = painted.height();
        QCOMPARE(painted.size(), tb.t.centralWidget()->size());
        QCOMPARE(QColor(painted.pixel(2, 2)).red(), 255);
        QCOMPARE(QColor(painted.pixel(w - 3, 2)).green(), 255);
        QCOMPARE(QColor(painted.pixel(2, h - 3)).blue(), 255);
        QCOMPARE(QColor(painted.pixel(w - 3, h - 3)), QColor(Qt::white));
    }

    void aPictureThatCannotBeLoadedLeavesTheTableAsItWas() {
        Table tb;
        tb.Save(korbo::test::DistinctImage(8, 8), "backgrounds/tile_good.bmp");
        korbo::test::WriteBytes(tb.Path("backgrounds/broken.jpg"), {1, 2, 3});
        tb.around.ReadBacks();
        Game& g = tb.game();
        g.BackIndex = 2;  // tile_good.bmp, after broken.jpg
        tb.around.BackgroundPaint();
        const QImage before = tb.around.Painted().toImage();
        g.BackIndex = 1;
        tb.around.BackgroundPaint();
        QCOMPARE(tb.around.Painted().toImage(), before);
        // The plain mat clears it.
        tb.around.ClearBackground();
        QVERIFY(tb.around.Painted().isNull());
        QVERIFY(tb.t.centralWidget()->palette().brush(QPalette::Window).texture().isNull());
    }

    void addingABackgroundCopiesItAndShowsIt() {
        Table tb;
        Game& g = tb.game();
        g.BackChoice = 1;  // the help box is not the subject here
        tb.Save(korbo::test::DistinctImage(10, 10), "backgrounds/a.bmp");
        tb.Save(korbo::test::DistinctImage(12, 12), "elsewhere/Tile_new.bmp");
        tb.dialog->files.push_back(tb.Path("elsewhere/Tile_new.bmp"));
        tb.around.mnuOpAddBackground_Click();
        const auto& spec = tb.dialog->opened.back();
        QCOMPARE(spec.title, std::string("Add Background Picture"));
        QCOMPARE(spec.filter, std::string("Pictures (*.jpg;*.gif;*.bmp)|*.jpg;*.gif;*.bmp"));
        QCOMPARE(spec.initDir, tb.Path("backgrounds"));
        QVERIFY(fs::exists(tb.Path("backgrounds/Tile_new.bmp")));
        QCOMPARE(int(g.BackPicCount), 2);
        QCOMPARE(tb.around.BackList()[g.BackIndex], std::string("Tile_new.bmp"));
        QCOMPARE(g.BackChoice, g.BackIndex);
        // Cancelled: the cycle steps to the plain mat.
        tb.around.mnuOpAddBackground_Click();
        QCOMPARE(int(g.BackIndex), g.BackPicCount + 1);
    }

    void anAddedPictureNeverReplacesOneOfTheSameName() {
        Table tb;
        Game& g = tb.game();
        g.BackChoice = 1;
        tb.Save(korbo::test::DistinctImage(10, 10), "backgrounds/same.bmp");
        tb.Save(korbo::test::DistinctImage(20, 20), "elsewhere/same.bmp");
        const auto before = korbo::test::ReadBytes(tb.Path("backgrounds/same.bmp"));
        tb.around.ReadBacks();
        g.BackIndex = 1;
        BoxAnswerer boxes;
        tb.dialog->files.push_back(tb.Path("elsewhere/same.bmp"));
        tb.around.mnuOpAddBackground_Click();
        QCOMPARE(boxes.texts.size(), 1);
        QVERIFY(boxes.texts[0].startsWith("There is already a picture named same.bmp in the backgrounds folder."));
        QCOMPARE(korbo::test::ReadBytes(tb.Path("backgrounds/same.bmp")), before);
        QCOMPARE(int(g.BackIndex), 1);
    }

    // The very picture already in the folder, chosen from elsewhere, is taken as it is.
    void theSamePictureUnderATakenNameIsShownWithoutABox() {
        Table tb;
        Game& g = tb.game();
        g.BackChoice = 1;
        const QImage same = korbo::test::DistinctImage(14, 9);
        tb.Save(korbo::test::DistinctImage(10, 10), "backgrounds/a.bmp");
        tb.Save(same, "backgrounds/same.bmp");
        tb.Save(same, "elsewhere/same.bmp");
        tb.around.ReadBacks();
        g.BackIndex = 1;
        BoxAnswerer boxes;
        tb.dialog->files.push_back(tb.Path("elsewhere/same.bmp"));
        tb.around.mnuOpAddBackground_Click();
        QCOMPARE(boxes.texts.size(), 0);
        QCOMPARE(tb.around.BackList()[g.BackIndex], std::string("same.bmp"));
        QCOMPARE(tb.around.BackgroundPicture().toImage().convertToFormat(QImage::Format_RGB32), same);
        QCOMPARE(int(g.BackPicCount), 2);

        QImage mine = korbo::test::DistinctImage(24, 30);
        tb.Save(mine, "Avatars/me.jpg");
        tb.Save(mine, "elsewhere/me.jpg");
        tb.dialog->files.push_back(tb.Path("elsewhere/me.jpg"));
        tb.around.ChgAvatar_Click();
        QCOMPARE(boxes.texts.size(), 0);
        QCOMPARE(g.AvatarFile, std::string("me.jpg"));
        QCOMPARE(qobject_cast<QLabel*>(tb.t.ImgAvatar().Widget())->pixmap().size(), mine.size());
    }

    void theAvatarIsShownChangedAndPutBack() {
        Table tb;
        Game& g = tb.game();
        tb.Save(korbo::test::DistinctImage(16, 16), "Avatars/Korbo.bmp");
        fs::rename(tb.Path("Avatars/Korbo.bmp"), tb.Path("Avatars/Korbo.jpg"));
        QImage mine = korbo::test::DistinctImage(24, 30);
        tb.Save(mine, "elsewhere/me.bmp");
        fs::rename(tb.Path("elsewhere/me.bmp"), tb.Path("elsewhere/me.jpg"));
        auto* label = qobject_cast<QLabel*>(tb.t.ImgAvatar().Widget());
        // Hidden with its menu item, shown again.
        g.View().CheckMenu(Menu::Avatar, true);
        tb.around.Avatar_Click();
        QVERIFY(!g.View().MenuChecked(Menu::Avatar));
        QVERIFY(!tb.t.ImgAvatar().Visible());
        // Change Avatar Picture shows it first, then copies the chosen picture in.
        tb.dialog->files.push_back(tb.Path("elsewhere/me.jpg"));
        tb.around.ImgAvatar_MouseUp(btn::Right);
        QVERIFY(tb.t.ImgAvatar().Visible());
        QVERIFY(g.View().MenuChecked(Menu::Avatar));
        QCOMPARE(tb.dialog->opened.back().title, std::string("Open Avatar Pic"));
        QCOMPARE(tb.dialog->opened.back().filter, std::string("Pictures (*.jpg;*.gif)|*.jpg;*.gif"));
        QVERIFY(fs::exists(tb.Path("Avatars/me.jpg")));
        QCOMPARE(g.AvatarFile, std::string("me.jpg"));
        QCOMPARE(label->pixmap().size(), mine.size());
        // The same name again from elsewhere is refused and changes nothing.
        QImage other = korbo::test::DistinctImage(5, 5);
        QDir(tb.folder.path()).mkpath("away");
        QVERIFY(other.save(QString::fromStdString(tb.Path("away/me.jpg")), "BMP"));
        BoxAnswerer boxes;
        tb.dialog->files.push_back(tb.Path("away/me.jpg"));
        tb.around.ChgAvatar_Click();
        QCOMPARE(boxes.texts.size(), 1);
        QCOMPARE(label->pixmap().size(), mine.size());
        QCOMPARE(g.AvatarFile, std::string("me.jpg"));
        // A double click brings back the persona's own picture.
        tb.around.ImgAvatar_DblClick();
        QCOMPARE(g.AvatarFile, std::string());
        QCOMPARE(label->pixmap().size(), QSize(16, 16));
        // Shown again with the menu item: the player's own picture, when there is one.
        g.AvatarFile = "me.jpg";
        label->clear();
        tb.around.Avatar_Click();
        tb.around.Avatar_Click();
        QVERIFY(tb.t.ImgAvatar().Visible());
        QCOMPARE(label->pixmap().size(), mine.size());
    }

    void theViewerShowsTheCardsUnderTheTablesPile() {
        Table tb;
        Game& g = tb.game();
        g.CardStyle = 3;
        g.PlayerHoldCount[1] = 12;
        for (int p = 1; p <= 12; ++p) g.PlayerHold.Set(1, p, {static_cast<int16_t>(p), static_cast<int16_t>(p)});
        g.DragSlot = 7;
        g.HoldViewSide = 0;
        tb.around.ShowHoldViewer();
        ui::frmHold* v = tb.around.Hold();
        QVERIFY(v && v->isVisible());
        QCOMPARE(v->windowTitle(), QString("Hold Cards Hidden: 12"));
        for (int i = 1; i <= 10; ++i) {
            const ui::PictureSpec face{ui::PictureSpec::Kind::NumberFace, 3, 13 - i};
            QCOMPARE(v->Picture8(i)->Picture(), face);
        }
        // The same window serves the next right press.
        tb.around.ShowHoldViewer();
        QCOMPARE(tb.around.Hold(), v);
    }
};

QTEST_MAIN(AroundTableTest)
#include "test_around_table.moc"
