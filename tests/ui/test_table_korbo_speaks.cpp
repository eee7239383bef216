// The persona speaks on the table: the player drags the card the computer needed onto a
// centre pile, and the persona's label shows one of the ten "displeased" lines of the
// comment set loaded from the program folder, Korbo's own or the chosen persona's.
#define QTEST_QPA_MOUSE_HANDLING
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "table_fixture.h"

using namespace korbo;
using korbo::test::Centre;
using korbo::test::Photograph;
using korbo::test::StartTable;
using korbo::ui::frmKorbo;

namespace {

// The computer's turn as a spy: it hands the turn straight back.
class QuietGame : public Game {
public:
    using Game::Game;
    void Computer() override { Turn = TurnPlayer; }
};

QByteArray Padded(const std::string& text, int width) {
    QByteArray b = QByteArray::fromStdString(text);
    b.append(QByteArray(width - b.size(), ' '));
    return b;
}

bool Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// snack.ade whose standard line n reads "Korbo line n"; a persona whose line i reads
// "Mabel line i".
bool MakeFolder(const QString& dir) {
    QByteArray snack, persona;
    for (int n = 1; n <= 20; ++n)
        snack += Padded("", 50) + Padded("Korbo line " + std::to_string(n), 50) + Padded("", 150);
    persona += Padded("", 50);
    for (int i = 1; i <= 35; ++i) persona += Padded("Mabel line " + std::to_string(i), 50);
    persona += QByteArray(3200, ' ') + Padded("Mabel.jpg", 20);
    return QDir(dir).mkpath("users") && Write(dir + "/snack.ade", snack) && Write(dir + "/users/Mabel.pms", persona);
}

}  // namespace

class TableKorboSpeaks : public QObject {
    Q_OBJECT
private slots:
    void takingTheNeededCardMakesThePersonaSpeak() {
        struct Case {
            int person;
            const char* speaker;
        } cases[] = {{0, "Korbo"}, {1, "Mabel"}};
        for (const Case& c : cases) {
            QTemporaryDir dir;
            QVERIFY(MakeFolder(dir.path()));
            frmKorbo t{nullptr, [](TableView& v, Random& r, Clock& k) { return std::make_unique<QuietGame>(v, r, k); }};
            Game& g = t.game();
            g.BaseDir = dir.path().toStdString();
            t.pauseScale = 0;
            StartTable(t);
            t.show();
            QVERIFY(QTest::qWaitForWindowExposed(&t));
            g.SoundLevel = 2;
            t.ReadComments();
            t.ReadPeople();
            g.PersonIndex = static_cast<int16_t>(c.person);
            t.ChangeComments();
            t.ChangePerson();

            // The computer's pay-off card is a Five; pile 1 stands at Four; the player has
            // a Five in hand.
            g.ClearBoard();
            g.PlayerSide.Set(1, {20, 7});
            g.PlayerSideCount = 1;
            g.PlayerSlots.Set(1, g.PlayerSide.Get(1));
            g.OppSide.Set(1, {31, 5});
            g.OppSideCount = 1;
            g.OppSlots.Set(1, g.OppSide.Get(1));
            g.PlayerSlots.Set(2, {5, 5});
            g.PlayerSlots.Set(3, {9, 9});
            g.HandCount = 2;
            for (int k = 1; k <= 4; ++k) g.Center[1][static_cast<size_t>(k)] = {static_cast<int16_t>(13 + k), static_cast<int16_t>(k)};
            g.CenterCount[1] = 4;
            g.StockTop = 10;
            g.Turn = TurnPlayer;
            g.TableDealt = true;
            t.Redraw();
            g.EnablePic(Ctl::Picture7, true);

            QWidget* surface = t.centralWidget();
            const QPoint start = Centre(t.Picture7(2)), end = Centre(t.Picture4(1));
            QTest::mousePress(surface, Qt::LeftButton, {}, start);
            for (int s = 1; s <= 5; ++s) QTest::mouseMove(surface, start + (end - start) * s / 5);
            QTest::mouseRelease(surface, Qt::LeftButton, {}, end);
            QCOMPARE(g.CenterCount[1], int16_t(5));

            const QString said = QString::fromStdString(t.Caption(Ctl::Label9, 2));
            bool oneOfTheTen = false;
            for (int n = 1; n <= 10; ++n) oneOfTheTen |= said == QString("%1 line %2").arg(c.speaker).arg(n);
            QVERIFY2(oneOfTheTen, qPrintable(said));
            QCOMPARE(QString::fromStdString(t.Caption(Ctl::Label9, 4)), QString(c.speaker));
            Photograph(QString("korbo-speaks-%1.png").arg(c.speaker));
        }
    }
};

QTEST_MAIN(TableKorboSpeaks)
#include "test_table_korbo_speaks.moc"
