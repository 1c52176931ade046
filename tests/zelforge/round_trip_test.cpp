// The two programs agree: a package made by driving the real authoring
// window (one entry recorded as BMP, one as JPEG, over generated JPEGs) and
// finished, then applied by the applier's whole run from that package's
// folder, on a copy of the old pictures, patches exactly the marked
// rectangles.
#include <QApplication>
#include <QClipboard>
#include <QtTest>
#include <filesystem>
#include <sys/stat.h>

#include "authoring_scene.h"
#include "platform/ui/file_list_box.h"
#include "tests/support/file_util.h"
#include "tests/support/library_path.h"
#include "tests/support/temp_dir.h"
#include "tests/zelfin/package_fixture.h"
#include "zelfin/applier_run.h"

using namespace zelforge;
using forge_test::AuthoringScene;
using forge_test::FileBytes;
using testsupport::Picture;

namespace {

// Mean channel difference a single line of pixels may show after the JPEG
// generations of the round trip; old and update differ by far more.
constexpr double kEdgeTolerance = 8.0;

struct Change {
    std::string name;
    int width, height;
    QRect rect;  // the changed part, as marked
    std::optional<int> jpegQuality;
};

// The old picture with the rectangle repainted from another photo.
Picture UpdateOf(const Picture &old, const QRect &rect, uint32_t seed) {
    const Picture patch = testsupport::MakePhotoLike(rect.width(), rect.height(), seed);
    Picture update = old;
    for (int y = 0; y < rect.height(); ++y)
        for (int x = 0; x < rect.width(); ++x) update.at(rect.x() + x, rect.y() + y) = patch.at(x, y);
    return update;
}

QImage ImageOf(const Picture &picture) {
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) image.setPixel(x, y, 0xFF000000u | picture.at(x, y));
    return image;
}

double Diff(const Picture &a, const Picture &b, const QRect &r) {
    return zelfin_test::RegionDiff(a, b, r.x(), r.y(), r.width(), r.height());
}

}  // namespace

class RoundTripTest : public QObject {
    Q_OBJECT
private slots:
    void authoredPackageAppliesAsMarked() {
        AuthoringScene s;
        const std::vector<Change> changes = {
            {"a.jpg", 320, 240, QRect(40, 30, 100, 80), std::nullopt},
            {"b.jpg", 200, 150, QRect(121, 7, 64, 96), 90},
        };
        testsupport::TempDir target;
        std::vector<Picture> updates;
        for (size_t i = 0; i < changes.size(); ++i) {
            const Change &c = changes[i];
            forge_test::WriteJpeg(s.work.File(c.name), c.width, c.height, 30 + static_cast<uint32_t>(i));
            std::filesystem::copy_file(s.work.File(c.name), target.File(c.name));
        }
        s.form1->FileListBox1->SetDirectory(QString::fromStdString(s.work.path()));

        for (size_t i = 0; i < changes.size(); ++i) {
            const Change &c = changes[i];
            if (c.jpegQuality)
                s.RecordAsJpeg(*c.jpegQuality);
            else
                s.RecordAsBmp();
            updates.push_back(UpdateOf(zelfin_test::Decode(s.work.File(c.name)), c.rect, 40 + static_cast<uint32_t>(i)));
            s.StartMarking(c.name, ImageOf(updates.back()));
            s.Mark(c.rect.topLeft(), c.rect.bottomRight() + QPoint(1, 1));
            s.Ok();
            QCOMPARE(s.vars.EntryNumber, static_cast<int32_t>(i) + 2);
        }
        s.form1->Finish1->trigger();
        QVERIFY(s.vars.PackageFinished);
        QCOMPARE(s.dialogs.messages.back().caption, QStringLiteral("完了"));

        // The distribution file is the applier itself, ready to run.
        const std::string distribution = s.PackageFile("patch.exe");
        QVERIFY(FileBytes(distribution) == FileBytes(testsupport::DistDir() + "/zelfin.exx"));
        struct stat st{};
        QCOMPARE(::stat(distribution.c_str(), &st), 0);
        QVERIFY((st.st_mode & S_IXUSR) != 0);

        // The applier's run from the package folder, its folder prompt
        // answered with the copy of the old pictures.
        Gra applierGra;
        platform::PictureHolder oldPicture, composite, block;
        zelfin::RunState state;
        QStringList titles;
        const auto prompt = [&](const std::string &title) {
            titles << QString::fromStdString(title);
            return target.path() + "/";
        };
        const zelfin::RunOutcome outcome =
            zelfin::RunApplier(applierGra, s.package, prompt, {oldPicture, composite, block}, state);
        QCOMPARE(titles, QStringList{QStringLiteral("更新するJPEGのフォルダを指定してください。")});
        QVERIFY(outcome.kind == zelfin::RunOutcome::Kind::Result);
        QVERIFY(outcome.failure == zelfin::Failure::None);

        for (size_t i = 0; i < changes.size(); ++i) {
            const Change &c = changes[i];
            qInfo("%s", c.name.c_str());
            // Backups are on by default: the untouched old file under its
            // name with the last byte made a tilde.
            const std::string backup = target.File(c.name.substr(0, c.name.size() - 1) + "~");
            QVERIFY(FileBytes(backup) == FileBytes(s.work.File(c.name)));

            const Picture old = zelfin_test::Decode(s.work.File(c.name));
            const Picture patched = zelfin_test::Decode(target.File(c.name));
            QCOMPARE(patched.width, c.width);
            QCOMPARE(patched.height, c.height);
            // Inside: the update image, within the loss of one or two JPEG
            // generations; and clearly not the old picture any more.
            const double inside = Diff(patched, updates[i], c.rect);
            QVERIFY2(inside < 3.0, qPrintable(QString::number(inside)));
            QVERIFY(Diff(old, updates[i], c.rect) > 20.0);
            // Outside: the old picture, re-saved once. The pixels just past
            // the rectangle (where the bottom-right click landed) included.
            const QRect around(c.rect.right() + 1, 0, c.width - c.rect.right() - 1, c.height);
            const double outside = Diff(patched, old, around);
            QVERIFY2(outside < 3.0, qPrintable(QString::number(outside)));
            // The rectangle's border lines carry the update, the lines just
            // around it the old picture: a rectangle off by one pixel fails.
            const QRect r = c.rect;
            const QRect insideLines[] = {{r.left(), r.top(), 1, r.height()}, {r.right(), r.top(), 1, r.height()},
                                         {r.left(), r.top(), r.width(), 1}, {r.left(), r.bottom(), r.width(), 1}};
            for (const QRect &line : insideLines) {
                const double d = Diff(patched, updates[i], line);
                QVERIFY2(d < kEdgeTolerance, qPrintable(QString::number(d)));
            }
            const QRect outsideLines[] = {{r.left() - 1, r.top(), 1, r.height()}, {r.right() + 1, r.top(), 1, r.height()},
                                          {r.left(), r.top() - 1, r.width(), 1}, {r.left(), r.bottom() + 1, r.width(), 1}};
            for (const QRect &line : outsideLines) {
                const double d = Diff(patched, old, line);
                QVERIFY2(d < kEdgeTolerance, qPrintable(QString::number(d)));
            }
        }
    }
};

FORGE_WINDOW_TEST_MAIN(RoundTripTest)
#include "round_trip_test.moc"
