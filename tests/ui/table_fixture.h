// The table window made ready as the start-up makes it: laid out for a screen, stacks
// built, card size in pixels, waits shortened for tests.
#pragma once

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "display/frmKorbo.h"

namespace korbo::test {

using ui::frmKorbo;

// The layout steps of the start-up for the normal display mode.
inline void StartTable(frmKorbo& t, long screenWidth = 15360) {
    Game& g = t.game();
    g.ScreenWidth = screenWidth;
    g.FormLoading = true;
    t.InitialCardSize();
    t.DrawStacks();
    t.GetCardSize();
    t.ResizeMe();
    t.FitWindow();
    t.LayOut();
    t.SizeRelative();
    g.FormLoading = false;
    t.SetCardBack(0, 1);
    t.LoadCardFaceSet(g.CardStyle);
    t.ResetPilePictures();
    t.Redraw();
    t.CardSizeInPixels();
}

// A table for a player of its own, in a folder of its own, shown on the screen, silent and
// with short walks: ready to be dealt and played through the window.
struct PlayerTable {
    QTemporaryDir dir;
    frmKorbo t;
    Game& g = t.game();
    explicit PlayerTable(int cardStyle = 1) {
        t.pauseScale = 0;
        g.BaseDir = dir.path().toStdString();
        g.PlayerName = "Ann";
        g.CardStyle = static_cast<int16_t>(cardStyle);
        StartTable(t);
        t.show();
        (void)QTest::qWaitForWindowExposed(&t);
        g.SoundLevel = 2;
        g.WalkSteps = 2;
    }
};

// The centre of a control in the coordinates of its parent (the table's surface).
inline QPoint Centre(ui::Control& c) { return c.Widget()->geometry().center(); }

// With KORBO_SHOT_DIR set on a real display, the screen is photographed there as `name`.
inline void Photograph(const QString& name) {
    const QString dir = qEnvironmentVariable("KORBO_SHOT_DIR");
    if (dir.isEmpty() || QGuiApplication::platformName() != "xcb") return;
    QTest::qWait(300);
    QDir().mkpath(dir);
    QProcess::execute("import", {"-window", "root", QDir(dir).filePath(name)});
}

}  // namespace korbo::test

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

namespace korbo::test {

// Answers every modal box that opens while it lives, noting the texts and titles.
class BoxAnswerer : public QObject {
public:
    explicit BoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok) : answer_(answer) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || box->property("answered").toBool()) return;
            box->setProperty("answered", true);
            texts << box->text();
            titles << box->windowTitle();
            QAbstractButton* b = box->button(answer_);
            if (!b) b = box->buttons().value(0);
            if (b) b->click();
        });
        timer_.start();
    }
    QStringList texts, titles;

private:
    QMessageBox::StandardButton answer_;
    QTimer timer_;
};

}  // namespace korbo::test
