// The table window is made from its design table: every row becomes one control with its
// name, kind and place, reachable through the window's own control names, in the state
// the table starts in.
#include <QtTest>
#include <functional>
#include <map>
#include <set>

#include "display/frmKorbo.h"
#include "display/table_design.h"

using namespace korbo;
using korbo::ui::Control;
using korbo::ui::ControlDesign;
using korbo::ui::ControlType;
using korbo::ui::DesignKind;
using korbo::ui::frmKorbo;

namespace {

ControlType TypeOf(DesignKind k) {
    switch (k) {
        case DesignKind::Outline:
        case DesignKind::StackShape: return ControlType::Shape;
        case DesignKind::HoldImage:
        case DesignKind::Arrow:
        case DesignKind::Avatar: return ControlType::Image;
        case DesignKind::Picture: return ControlType::PictureBox;
        case DesignKind::Button: return ControlType::CommandButton;
        case DesignKind::Frame:
        case DesignKind::WildLabel:
        case DesignKind::Label: break;
    }
    return ControlType::Label;
}

// The window's accessor of each control (array) name.
using Accessor = std::function<Control&(frmKorbo&, int)>;
const std::map<std::string, Accessor>& Accessors() {
    static const std::map<std::string, Accessor> m = {
        {"Picture7", [](frmKorbo& t, int i) -> Control& { return t.Picture7(i); }},
        {"Picture1", [](frmKorbo& t, int i) -> Control& { return t.Picture1(i); }},
        {"Picture4", [](frmKorbo& t, int i) -> Control& { return t.Picture4(i); }},
        {"Label9", [](frmKorbo& t, int i) -> Control& { return t.Label9(i); }},
        {"LblWild", [](frmKorbo& t, int i) -> Control& { return t.LblWild(i); }},
        {"Label3", [](frmKorbo& t, int i) -> Control& { return t.Label3(i); }},
        {"ShpHold", [](frmKorbo& t, int i) -> Control& { return t.ShpHold(i); }},
        {"Stack", [](frmKorbo& t, int i) -> Control& { return t.Stack(i); }},
        {"Label10", [](frmKorbo& t, int) -> Control& { return t.Label10(); }},
        {"Label1", [](frmKorbo& t, int) -> Control& { return t.Label1(); }},
        {"LabelPeek", [](frmKorbo& t, int) -> Control& { return t.LabelPeek(); }},
        {"StatusMsg", [](frmKorbo& t, int) -> Control& { return t.StatusMsg(); }},
        {"ImgTurn1", [](frmKorbo& t, int) -> Control& { return t.ImgTurn1(); }},
        {"ImgTurn2", [](frmKorbo& t, int) -> Control& { return t.ImgTurn2(); }},
        {"ImgHold", [](frmKorbo& t, int) -> Control& { return t.ImgHold(); }},
        {"ImgAvatar", [](frmKorbo& t, int) -> Control& { return t.ImgAvatar(); }},
        {"Command2", [](frmKorbo& t, int) -> Control& { return t.Command2(); }},
    };
    return m;
}

}  // namespace

class TableDesign : public QObject {
    Q_OBJECT
private slots:
    void everyRowIsOneControlWithItsKindAndPlace() {
        frmKorbo t;
        std::set<std::string> names;
        for (const ControlDesign& row : ui::TableDesign()) {
            const std::string name = ui::DesignName(row);
            QVERIFY2(names.insert(name).second, name.c_str());
            Control* c = t.FindControl(name);
            QVERIFY2(c, name.c_str());
            QVERIFY2(c->Type() == TypeOf(row.kind), name.c_str());
            QCOMPARE(c->Left(), row.left);
            QCOMPARE(c->Top(), row.top);
            QCOMPARE(c->Width(), row.width);
            QCOMPARE(c->Height(), row.height);
            // The window's own name for the control reaches the same one.
            const auto a = Accessors().find(row.name);
            QVERIFY2(a != Accessors().end(), name.c_str());
            QVERIFY2(&a->second(t, row.index < 0 ? 0 : row.index) == c, name.c_str());
        }
        // Every place the game addresses has its row.
        for (int i = 1; i <= 10; ++i) {
            QVERIFY(names.count("Picture7(" + std::to_string(i) + ")"));
            QVERIFY(names.count("Picture1(" + std::to_string(i) + ")"));
        }
        for (int i = 0; i <= 3; ++i) QVERIFY(names.count("Picture4(" + std::to_string(i) + ")"));
    }

    void theCardPlacesStartAsTheTableShowsThemBeforeTheDeal() {
        frmKorbo t;
        struct Case {
            const char* what;
            std::function<Control&(frmKorbo&)> ctl;
            bool visible, enabled;
        } cases[] = {
            {"Picture7 pay-off", [](frmKorbo& f) -> Control& { return f.Picture7(1); }, false, false},
            {"Picture7 hand", [](frmKorbo& f) -> Control& { return f.Picture7(4); }, false, false},
            {"Picture7 HOLD", [](frmKorbo& f) -> Control& { return f.Picture7(9); }, true, false},
            {"Picture1 flight", [](frmKorbo& f) -> Control& { return f.Picture1(0); }, false, true},
            {"Picture1 hand", [](frmKorbo& f) -> Control& { return f.Picture1(2); }, false, true},
            {"Picture1 HOLD", [](frmKorbo& f) -> Control& { return f.Picture1(10); }, true, true},
            {"Picture4 stock", [](frmKorbo& f) -> Control& { return f.Picture4(0); }, true, true},
            {"Picture4 centre", [](frmKorbo& f) -> Control& { return f.Picture4(2); }, true, true},
            {"LblWild", [](frmKorbo& f) -> Control& { return f.LblWild(3); }, false, true},
            {"ImgTurn2", [](frmKorbo& f) -> Control& { return f.ImgTurn2(); }, false, true},
            {"Stack(0)", [](frmKorbo& f) -> Control& { return f.Stack(0); }, false, true},
        };
        for (const Case& c : cases) {
            Control& ctl = c.ctl(t);
            QVERIFY2(ctl.Visible() == c.visible, c.what);
            QVERIFY2(ctl.Enabled() == c.enabled, c.what);
        }
    }
};

QTEST_MAIN(TableDesign)
#include "test_table_design.moc"
