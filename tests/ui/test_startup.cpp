// The program's start and end in real windows: the splash, the refusal without score.ran,
// the error trap, the private fonts, and the window placement that an exit writes into
// score.ran and the next start restores.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <sys/resource.h>

#include <cstdlib>
#include <functional>

#include "app/frmSplash.h"
#include "app/program.h"
#include "display/around_table.h"
#include "display/frmKorbo.h"
#include "game/persona_slots.h"
#include "platform/fonts.h"
#include "records/score_rec.h"
#include "ui/sound_fakes.h"

using namespace korbo;
using namespace korbo::ui;

namespace {

struct SeenBox {
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Answers every modal box that comes up (OK, or Yes where asked), keeping what it said.
class BoxAnswerer : public QObject {
public:
    QList<SeenBox> boxes;
    int welcomes = 0;  // the player windows confirmed
    BoxAnswerer() {
        connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start(5);
    }

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        SeenBox seen;
        seen.title = modal->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen.text = box->text();
            seen.icon = box->icon();
            QAbstractButton* b = box->button(QMessageBox::Yes);
            if (!b) b = box->button(QMessageBox::Ok);
            if (!b && !box->buttons().isEmpty()) b = box->buttons().first();
            boxes << seen;
            if (b) b->click();
            return;
        }
        // The player window is confirmed with its button, as the player would.
        if (auto* play = modal->findChild<QPushButton*>("Command1"); play && seen.title == "Welcome to Korbo & Dunmir") {
            ++welcomes;
            play->click();
            return;
        }
        for (QLabel* l : modal->findChildren<QLabel*>()) seen.text += l->text();
        boxes << seen;
        if (auto* d = qobject_cast<QDialog*>(modal)) d->accept();
    }
    QTimer timer_;
};

QString Plain(QString s) { return s.remove('\r'); }

QByteArray Rec(const std::string& name, int played, int won, int margin, int extra) {
    records::ScoreRec r;
    r.Name = name + std::string(20 - name.size(), ' ');
    r.Played = static_cast<int16_t>(played);
    r.Won = static_cast<int16_t>(won);
    r.Margin = static_cast<int16_t>(margin);
    r.Extra = static_cast<int16_t>(extra);
    const auto bytes = records::EncodeScoreRec(r);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A program folder as a new installation has it; record 14 and 15 as a test wants them.
bool MakeFolder(const QString& dir, QByteArray r14 = Rec("", 0, 0, 20, 0), QByteArray r15 = Rec("", 0, 0, 0, 0),
                bool withSoundScheme = true) {
    QByteArray score;
    for (int n = 1; n <= 18; ++n) {
        switch (n) {
            case 1: score += Rec(" 16777215", 0, 0, 0, 0); break;
            case 12: score += Rec("", 0, 0, 0, 1); break;
            case 13: score += Rec("Anna", 0, 2, 2, 1); break;  // sound off: no intro in the tests
            case 14: score += r14; break;
            case 15: score += r15; break;
            case 16: score += Rec(" 12640511", 0, 1, 1, 0); break;
            case 17: score += Rec(" 3041823", 12, 0, 0, 0); break;
            case 18: score += Rec(" 45", 19, 0, 0, 0); break;
            default: score += Rec("", 0, 0, 0, 0); break;
        }
    }
    QByteArray wav;
    for (int i = 1; i <= 15; ++i) wav += QByteArray(200, ' ');
    return QDir(dir).mkpath("users") && WriteFile(dir + "/score.ran", score) &&
           (!withSoundScheme || WriteFile(dir + "/wav.ran", wav));
}

QByteArray Record(const QString& path, int n) { return ReadFile(path).mid(28 * (n - 1), 28); }

int Twips(int pixels) { return pixels * 15; }

bool AnyWindowShown() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) return true;
    return false;
}

// What a window manager gets to see of a window: its frame's place and size when it is
// shown, and every size given to it after that.
class ShowWatcher : public QObject {
public:
    explicit ShowWatcher(QWidget& w) : w_(w) { w.installEventFilter(this); }
    ~ShowWatcher() override { w_.removeEventFilter(this); }
    bool shown = false;
    QRect atShow;              // the frame's top-left and the window's size
    QList<QSize> sizedAfter;   // sizes given once it was shown

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show && !shown) {
            shown = true;
            atShow = QRect(w_.frameGeometry().topLeft(), w_.size());
        } else if (e->type() == QEvent::Resize && shown) {
            sizedAfter << static_cast<QResizeEvent*>(e)->size();
        }
        return false;
    }

private:
    QWidget& w_;
};

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
    QString home_;

private slots:
    void initTestCase() {
        home_ = QDir::currentPath();
        QCOMPARE(qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchX()), 96);
    }
    void init() { ResetProgramEnd(); }
    void cleanup() {
        QDir::setCurrent(home_);
        platform::RemovePrivateFonts();
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void splashShowsItsCaptionsAndVersion() {
        auto* splash = new frmSplash;
        QCOMPARE(frmSplash::Current(), splash);
        QCOMPARE(splash->lblVersion->text(), QString("Version 6.0.1"));
        QCOMPARE(splash->lblPlatform->text(), QString("Linux"));
        QStringList texts;
        for (QLabel* l : splash->findChildren<QLabel*>()) texts << l->text();
        QVERIFY(texts.contains("The card game with an attitude"));
        QVERIFY(texts.contains(" Warning: Highly addictive"));
        QVERIFY(splash->Image1->pixmap().width() > 0);
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        QTest::keyClick(splash, Qt::Key_Space);
        QCOMPARE(frmSplash::Current(), nullptr);
        QTRY_VERIFY(!AnyWindowShown());

        // A click on its frame closes it too.
        auto* again = new frmSplash;
        again->show();
        QVERIFY(QTest::qWaitForWindowExposed(again));
        QTest::mouseClick(again->Frame1, Qt::LeftButton);
        QCOMPARE(frmSplash::Current(), nullptr);
    }

    void missingScoreFileBoxEndsTheProgram() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("users"));
        QVERIFY(QDir::setCurrent(dir.path()));
        BoxAnswerer answers;
        const int code = Main();
        QCOMPARE(code, 1);
        QVERIFY(ProgramEnded());
        QCOMPARE(answers.boxes.size(), 1);
        QCOMPARE(Plain(answers.boxes[0].text), QString("Unable to start KorboNET!\n\nFiles are missing."));
        QCOMPARE(answers.boxes[0].icon, QMessageBox::Critical);
        QVERIFY(!AnyWindowShown());
        QCOMPARE(frmSplash::Current(), nullptr);
        QVERIFY(!QFile::exists(dir.filePath("score.ran")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList({"users"}));
    }

    void startUpFailureShowsTheErrorTrapAndEndsTheProgram() {
        QTemporaryDir dir;
        QVERIFY(MakeFolder(dir.path(), Rec("", 0, 0, 20, 0), Rec("", 0, 0, 0, 0), false));
        QVERIFY(QDir::setCurrent(dir.path()));
        const QByteArray before = ReadFile(dir.filePath("score.ran"));
        BoxAnswerer answers;
        QCOMPARE(Main(), 1);
        QCOMPARE(answers.boxes.size(), 1);
        QVERIFY2(Plain(answers.boxes[0].text).startsWith("Unexpected error while setting up KorboNET!\nError # 75 occurred: \n"),
                 qPrintable(answers.boxes[0].text));
        QVERIFY(Plain(answers.boxes[0].text).size() > 70);  // the reason follows
        QCOMPARE(answers.boxes[0].icon, QMessageBox::Critical);
        QVERIFY(!AnyWindowShown());
        QCOMPARE(ReadFile(dir.filePath("score.ran")), before);
    }

    void exitWritesThePlacementAndTheNextStartRestoresIt() {
        QTemporaryDir dir;
        QVERIFY(MakeFolder(dir.path()));
        for (const char* name : {"Valmbrook.ttf", "Korbo2.ttf", "Korbo3.ttf", "Korbo4.ttf", "Korbo1.ttf"})
            QVERIFY(QFile::copy("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", dir.filePath(name)));
        QVERIFY(QDir::setCurrent(dir.path()));
        BoxAnswerer answers;
        QRect placed;
        {
            frmKorbo table;
            table.Form_Load();
            QVERIFY(!ProgramEnded());
            // A new installation: the speed advice once, the table at the top-left corner,
            // its width the one the fitting chose.
            QCOMPARE(answers.boxes.size(), 1);
            QCOMPARE(answers.boxes[0].title, QString("Game Speed"));
            QCOMPARE(answers.boxes[0].icon, QMessageBox::Information);
            QVERIFY(table.isVisible());
            QCOMPARE(table.pos(), QPoint(0, 0));
            // The width the fitting chose, up to a pixel.
            QVERIFY(std::abs(table.WinWidth - Twips(table.width())) <= Twips(1));
            QCOMPARE(table.game().PrefCode, int16_t{0});
            QCOMPARE(table.Caption(Ctl::Label9, 2), std::string("Welcome Anna to Korbo's World"));
            QCOMPARE(answers.welcomes, 1);  // the player was asked once, the last one offered
            QCOMPARE(platform::RegisteredPrivateFonts(),
                     QStringList({"Valmbrook.ttf", "Korbo2.ttf", "Korbo3.ttf", "Korbo4.ttf", "Korbo1.ttf"}));

            // The player moves and sizes the table, then leaves by the Exit item.
            table.resize(700, 520);
            table.move(75, 45);
            QTest::qWait(20);
            placed = QRect(table.pos(), table.size());
            // What the table's resize handling keeps.
            table.WinWidth = Twips(placed.width());
            table.WinHeight = Twips(placed.height());
            table.ExitLeft();
            QVERIFY(ProgramEnded());
            QCOMPARE(ProgramExitCode(), 0);
            QVERIFY(!table.isVisible());
            QVERIFY(platform::RegisteredPrivateFonts().isEmpty());
        }
        const QString score = dir.filePath("score.ran");
        QCOMPARE(Record(score, 14), Rec("", 0, 0, 20, 20));
        QCOMPARE(placed.topLeft(), QPoint(75, 45));
        QCOMPARE(Record(score, 15), Rec("", Twips(placed.height()), Twips(placed.width()), Twips(75), Twips(45)));

        ResetProgramEnd();
        answers.boxes.clear();
        frmKorbo next;
        next.Form_Load();
        QVERIFY(!ProgramEnded());
        QVERIFY(answers.boxes.isEmpty());  // the advice is for the first start only
        QVERIFY(next.isVisible());
        QCOMPARE(QRect(next.pos(), next.size()), placed);
        QCOMPARE(next.WinWidth, Twips(placed.width()));
        QCOMPARE(next.WinHeight, Twips(placed.height()));
        QVERIFY(!next.isMaximized());
    }

    // A window manager frames a window at the place it has when it is shown; a size or a
    // place given to it soon after, before its frame is known here, is taken for its
    // inside and puts the title bar above that place. The saved place and size are the
    // table's when it is shown, whatever the replay of the display mode did before, and
    // the start gives it no other size after that.
    void theSavedPlaceIsTheTablesWhenItIsShown_data() {
        QTest::addColumn<int>("displayMode");
        QTest::newRow("normal display") << 0;
        QTest::newRow("cards moved up") << 1;
        QTest::newRow("small display") << 2;
        QTest::newRow("small display, cards moved up") << 3;
    }
    void theSavedPlaceIsTheTablesWhenItIsShown() {
        QFETCH(int, displayMode);
        // A place and a size that the fitting of the layout would not choose.
        const QRect saved(60, 30, 660, 500);
        QTemporaryDir dir;
        QVERIFY(MakeFolder(dir.path(), Rec("", 0, 0, 20 + displayMode, 20),
                           Rec("", Twips(saved.height()), Twips(saved.width()), Twips(saved.x()), Twips(saved.y()))));
        QVERIFY(QDir::setCurrent(dir.path()));
        BoxAnswerer answers;
        frmKorbo table;
        ShowWatcher watch(table);
        table.Form_Load();
        QVERIFY(!ProgramEnded());
        QCOMPARE(int(table.game().DisplayMode), displayMode);
        QVERIFY(watch.shown);
        QCOMPARE(watch.atShow, saved);
        QCOMPARE(watch.sizedAfter, QList<QSize>());
        QCOMPARE(QRect(table.frameGeometry().topLeft(), table.size()), saved);
        table.ExitLeft();
    }

    // With Full Sound the exit sound plays out after the windows have closed, and the
    // program ends with it.
    void theExitSoundIsHeardAfterTheWindowsClose() {
        QTemporaryDir dir;
        QVERIFY(MakeFolder(dir.path()));
        const QString turnOver = test::WriteWav(dir.filePath("turnover.wav"), 300);
        QVERIFY(!turnOver.isEmpty());
        QVERIFY(QDir::setCurrent(dir.path()));
        BoxAnswerer answers;
        frmKorbo table;
        table.Form_Load();
        QVERIFY(!ProgramEnded());
        auto fake = std::make_unique<test::FakeOutput>();
        test::FakeOutput* out = fake.get();
        table.Sound().UseOutput(std::move(fake));
        table.game().SoundLevel = 0;
        table.game().Sounds[SoundTurnOver] = turnOver.toStdString();

        // The sound ends while the program waits for it with every window gone.
        bool waitedWithWindowsGone = false;
        QObject scope;  // takes a timer that never fired away with the locals it uses
        QTimer::singleShot(0, &scope, [&] {
            waitedWithWindowsGone = out->active && !AnyWindowShown() && !ProgramEnded();
            out->End();
        });
        table.ExitLeft();
        QVERIFY2(waitedWithWindowsGone, "the program did not wait for the exit sound once its windows had closed");
        QCOMPARE(out->log, QStringList({"start " + QUrl::fromLocalFile(turnOver).toString()}));  // not cut off
        QVERIFY(ProgramEnded());
        QCOMPARE(ProgramExitCode(), 0);
        QCOMPARE(Record(dir.filePath("score.ran"), 14), Rec("", 0, 0, 20, 20));
    }

    void theDefaultBackgroundAndTheAvatarAreShownAtTheStart() {
        QTemporaryDir dir;
        QVERIFY(MakeFolder(dir.path()));
        QVERIFY(QDir(dir.path()).mkpath("backgrounds") && QDir(dir.path()).mkpath("Avatars"));
        QImage wood(40, 30, QImage::Format_RGB32);
        wood.fill(QColor(150, 90, 40));
        for (int x = 0; x < 40; ++x) wood.setPixel(x, x % 30, qRgb(20, 10, 0));
        QVERIFY(wood.save(dir.filePath("backgrounds/tile_wood.jpg"), "JPG"));
        QVERIFY(wood.save(dir.filePath("backgrounds/another.jpg"), "JPG"));
        QImage face(24, 36, QImage::Format_RGB32);
        face.fill(Qt::yellow);
        QVERIFY(face.save(dir.filePath("Avatars/Korbo.jpg"), "JPG"));
        QVERIFY(QDir::setCurrent(dir.path()));
        BoxAnswerer answers;
        frmKorbo table;
        table.Form_Load();
        QVERIFY(!ProgramEnded());
        Game& g = table.game();
        QCOMPARE(int(g.BackPicCount), 2);
        QCOMPARE(int(g.BackIndex), int(g.DefaultBackIndex));
        QCOMPARE(g.BackList[g.BackIndex], std::string("tile_wood.jpg"));
        // Never chosen, the wood is tiled behind the cards without the help box.
        QCOMPARE(answers.boxes.size(), 1);
        const QImage painted = table.Around().Painted().toImage();
        QCOMPARE(painted.size(), table.centralWidget()->size());
        const QImage tile = QImage(dir.filePath("backgrounds/tile_wood.jpg")).convertToFormat(painted.format());
        QCOMPARE(painted.copy(40, 30, 40, 30), tile);
        // The record asks for the avatar: the persona's own picture.
        QVERIFY(table.ImgAvatar().Visible());
        QCOMPARE(qobject_cast<QLabel*>(table.ImgAvatar().Widget())->pixmap().size(), QSize(24, 36));
        table.ExitLeft();
    }

    void savedMaximisedTableOpensMaximised() {
        QTemporaryDir dir;
        QVERIFY(MakeFolder(dir.path(), Rec("", 0, 0, 20, 20), Rec("", 2, 0, 0, 0)));
        QVERIFY(QDir::setCurrent(dir.path()));
        BoxAnswerer answers;
        frmKorbo table;
        table.Form_Load();
        QVERIFY(!ProgramEnded());
        QVERIFY(answers.boxes.isEmpty());
        QVERIFY(table.isVisible());
        QVERIFY(table.isMaximized());
        QCOMPARE(table.WindowStartState, 3);
        // Once the window events of the start have come in, it is still maximised: the
        // maximising was not taken for the player's first resize.
        QTest::qWait(100);
        QVERIFY(table.isMaximized());
        QCOMPARE(table.WindowStartState, 3);

        // Left maximised, it stays so for the next start.
        table.ExitLeft();
        QCOMPARE(Record(dir.filePath("score.ran"), 15), Rec("", 2, 0, 0, 0));
    }

    // Started under a file-size limit of nothing (ulimit -f 0): the program runs, and the
    // exit's write, which would pass the limit, fails with the program's own box.
    void aFileSizeLimitOfNothingGivesTheProgramsOwnBox() {
        QTemporaryDir dir;
        QVERIFY(MakeFolder(dir.path()));
        QVERIFY(QDir::setCurrent(dir.path()));
        const QByteArray before = ReadFile(dir.filePath("score.ran"));
        BoxAnswerer answers;
        // The player leaves by the Exit item once the table waits for them.
        QTimer leave;
        bool left = false;
        connect(&leave, &QTimer::timeout, this, [&] {
            if (left || answers.welcomes == 0 || QApplication::activeModalWidget()) return;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* table = qobject_cast<frmKorbo*>(w); table && table->isVisible()) {
                    left = true;
                    table->ExitLeft();
                }
        });
        leave.start(5);
        rlimit old{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit nothing = old;
        nothing.rlim_cur = 0;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &nothing), 0);
        const int code = Main();
        ::setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(left);
        QCOMPARE(code, 0);
        QVERIFY(!answers.boxes.isEmpty());
        const QString told = Plain(answers.boxes.last().text);
        QVERIFY2(told.startsWith("Here's the problem:\nThe file score.ran could not be saved (File too large)."),
                 qPrintable(told));
        QCOMPARE(ReadFile(dir.filePath("score.ran")), before);
    }
};

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
