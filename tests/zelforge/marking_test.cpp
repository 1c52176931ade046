// Marking the update rectangle on the shown picture with real mouse presses:
// which corner each button sets, the red markers pixel by pixel (clipped at
// the edges), when OK is enabled, and presses outside the marking phase.
#include <QPushButton>
#include <QtTest>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "authoring_scene.h"
#include "platform/ui/file_list_box.h"
#include "platform/ui/image_control.h"

using namespace zelforge;
using forge_test::AuthoringScene;

namespace {

constexpr uint32_t kRed = 0x00FF0000;
constexpr int kWidth = 64;
constexpr int kHeight = 48;

struct Press {
    Qt::MouseButton button;
    QPoint at;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    bool doubleClick = false;
};

using PixelSet = std::set<std::pair<int, int>>;

// The marker pixels as the pen draws them: 31 pixels an arm, the corner
// included, arms pointing into the rectangle, nothing outside the picture.
PixelSet MarkerPixels(std::optional<QPoint> topLeft, std::optional<QPoint> bottomRight) {
    PixelSet pixels;
    auto put = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < kWidth && y < kHeight) pixels.insert({x, y});
    };
    for (int i = 0; i <= 30; ++i) {
        if (topLeft) {
            put(topLeft->x(), topLeft->y() + i);
            put(topLeft->x() + i, topLeft->y());
        }
        if (bottomRight) {
            put(bottomRight->x(), bottomRight->y() - i);
            put(bottomRight->x() - i, bottomRight->y());
        }
    }
    return pixels;
}

// The shown picture must be the clean update image with exactly the marker
// pixels red.
void ExpectShown(const AuthoringScene &s, const QImage &update, const PixelSet &markers) {
    const NvBitmap *shown = s.form1->Image1->Holder().Picture();
    QVERIFY(shown != nullptr);
    QCOMPARE(shown->width, kWidth);
    QCOMPARE(shown->height, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const uint32_t expected = markers.count({x, y}) ? kRed : (update.pixel(x, y) & 0xFFFFFFu);
            if (shown->pixels[y * kWidth + x] != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3, not %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(shown->pixels[y * kWidth + x], 6, 16, QLatin1Char('0'))
                                     .arg(expected, 6, 16, QLatin1Char('0'))));
        }
}

void Apply(AuthoringScene &s, const Press &p) {
    if (p.doubleClick)
        QTest::mouseDClick(s.form1->Image1, p.button, p.modifiers, p.at);
    else
        s.Press(p.button, p.at, p.modifiers);
}

struct CornerCase {
    const char *name;
    std::vector<Press> presses;
    std::optional<QPoint> topLeft;
    std::optional<QPoint> bottomRight;
    bool ok;
};

const Qt::MouseButton L = Qt::LeftButton, R = Qt::RightButton, M = Qt::MiddleButton;

const std::vector<CornerCase> &CornerCases() {
    static const std::vector<CornerCase> cases = {
        {"left only", {{L, {10, 20}}}, QPoint(10, 20), std::nullopt, false},
        {"right only", {{R, {40, 30}}}, std::nullopt, QPoint(40, 30), false},
        {"right then left", {{R, {40, 30}}, {L, {10, 20}}}, QPoint(10, 20), QPoint(40, 30), true},
        {"same column", {{L, {10, 20}}, {R, {10, 30}}}, QPoint(10, 20), QPoint(10, 30), false},
        {"same row", {{L, {10, 20}}, {R, {40, 20}}}, QPoint(10, 20), QPoint(40, 20), false},
        {"bottom-right above", {{L, {10, 20}}, {R, {40, 19}}}, QPoint(10, 20), QPoint(40, 19), false},
        {"bottom-right left", {{L, {10, 20}}, {R, {9, 30}}}, QPoint(10, 20), QPoint(9, 30), false},
        {"reversed, then put in order",
         {{L, {40, 30}}, {R, {10, 20}}, {L, {5, 5}}},
         QPoint(5, 5),
         QPoint(10, 20),
         true},
        {"second left moves the marker", {{L, {10, 20}}, {L, {15, 25}}}, QPoint(15, 25), std::nullopt, false},
        {"single pixel", {{L, {30, 30}}, {R, {31, 31}}}, QPoint(30, 30), QPoint(31, 31), true},
        {"middle keeps corners and OK",
         {{L, {10, 20}}, {R, {40, 30}}, {M, {50, 40}}},
         QPoint(10, 20),
         QPoint(40, 30),
         true},
        {"middle alone", {{M, {5, 5}}}, std::nullopt, std::nullopt, false},
        {"shift and ctrl ignored",
         {{L, {10, 20}, Qt::ShiftModifier}, {R, {40, 30}, Qt::ControlModifier}},
         QPoint(10, 20),
         QPoint(40, 30),
         true},
        {"double clicks", {{L, {12, 14}, {}, true}, {R, {40, 30}, {}, true}}, QPoint(12, 14), QPoint(40, 30), true},
        {"top-left at the origin", {{L, {0, 0}}}, QPoint(0, 0), std::nullopt, false},
        {"top-left near the far edges", {{L, {50, 40}}}, QPoint(50, 40), std::nullopt, false},
        {"bottom-right at the origin", {{R, {0, 0}}}, std::nullopt, QPoint(0, 0), false},
        {"bottom-right near the near edges", {{R, {5, 3}}}, std::nullopt, QPoint(5, 3), false},
        {"bottom-right on the last column and row",
         {{L, {20, 10}}, {R, {kWidth - 1, kHeight - 1}}},
         QPoint(20, 10),
         QPoint(kWidth - 1, kHeight - 1),
         true},
    };
    return cases;
}

}  // namespace

class MarkingTest : public QObject {
    Q_OBJECT
private slots:
    void cornerTable() {
        const QImage update = forge_test::PhotoImage(kWidth, kHeight, 7);
        for (const CornerCase &c : CornerCases()) {
            qInfo("%s", c.name);
            AuthoringScene s;
            s.StartMarking("old.jpg", update);
            for (const Press &p : c.presses) Apply(s, p);
            ExpectShown(s, update, MarkerPixels(c.topLeft, c.bottomRight));
            QCOMPARE(s.form1->Button1->isEnabled(), c.ok);
            QCOMPARE(s.vars.X1, c.topLeft ? c.topLeft->x() : -1);
            QCOMPARE(s.vars.X2, c.bottomRight ? c.bottomRight->x() : -1);
            if (c.topLeft) QCOMPARE(s.vars.Y1, c.topLeft->y());
            if (c.bottomRight) QCOMPARE(s.vars.Y2, c.bottomRight->y());
            QCOMPARE(s.vars.AuthoringState, AuthoringMode::Marking);
            // The update image itself never carries a marker.
            const NvBitmap *clean = s.form1->Image2->Holder().Picture();
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x)
                    QCOMPARE(clean->pixels[y * kWidth + x], update.pixel(x, y) & 0xFFFFFFu);
        }
    }

    // Before an update image is supplied and after an entry is recorded, a
    // press changes nothing: no corner, no drawing, no OK.
    void pressesOutsideMarking() {
        AuthoringScene s;
        const int32_t y1 = s.vars.Y1, y2 = s.vars.Y2;
        auto pressAll = [&] {
            for (Qt::MouseButton b : {L, R, M}) s.Press(b, QPoint(10 + static_cast<int>(b), 20));
            QTest::mouseDClick(s.form1->Image1, L, Qt::NoModifier, QPoint(3, 3));
        };

        // Nothing selected: no picture at all.
        s.vars.X1 = s.vars.X2 = 77;
        pressAll();
        QVERIFY(!s.form1->Image1->Holder().HasPicture());
        QCOMPARE(s.vars.X1, 77);
        QCOMPARE(s.vars.X2, 77);

        // The old picture shown, no update image yet.
        QVERIFY(s.form1->FileListBox1->SelectName(QStringLiteral("old.jpg")));
        platform::BitmapPtr old(s.gra.LoadPicture(s.work.File("old.jpg"), 0));
        pressAll();
        const NvBitmap *shown = s.form1->Image1->Holder().Picture();
        QVERIFY(shown != nullptr);
        QVERIFY(std::equal(shown->pixels, shown->pixels + kWidth * kHeight, old->pixels));
        QCOMPARE(s.vars.X1, 77);
        QCOMPARE(s.vars.Y1, y1);
        QCOMPARE(s.vars.Y2, y2);
        QVERIFY(!s.form1->Button1->isEnabled());

        // Right after OK.
        s.StartMarking("old.jpg", forge_test::PhotoImage(kWidth, kHeight, 8));
        s.Mark({10, 20}, {30, 40});
        s.Ok();
        QCOMPARE(s.vars.AuthoringState, AuthoringMode::Selecting);
        pressAll();
        QVERIFY(!s.form1->Image1->Holder().HasPicture());
        QVERIFY(!s.form1->Button1->isEnabled());
        QCOMPARE(s.vars.X1, 10);
        QCOMPARE(s.vars.X2, 20);  // the width, not a corner
        QCOMPARE(s.vars.Y2, 20);  // the height
    }
};

FORGE_WINDOW_TEST_MAIN(MarkingTest)
#include "marking_test.moc"
