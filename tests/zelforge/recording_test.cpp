// Recording entries with OK through the real authoring window: the blob in
// the data file (BMP or JPEG, scrambled), the six lines, the log, the
// counters and the phase afterwards; and every failure leaving the package,
// the counters and the corners exactly as they were, so OK can be pressed
// again.
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <unistd.h>

#include "authoring_scene.h"
#include "package/data_file.h"
#include "package/scramble.h"
#include "platform/bitmap.h"
#include "platform/int_text.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/image_control.h"
#include "platform/ui/simple_status_bar.h"
#include "tests/platform/test_files.h"
#include "tests/support/file_util.h"
#include "tests/support/jpeg_codec.h"
#include "zelforge/texts.h"

using namespace zelforge;
using forge_test::AuthoringScene;
using forge_test::FileBytes;

namespace {

uint32_t Le32(const std::string &b, size_t at) {
    return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8 |
           static_cast<uint8_t>(b[at + 2]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}

uint32_t Le16(const std::string &b, size_t at) {
    return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8;
}

// The last n lines of the control list.
std::vector<std::string> LastLines(const AuthoringVars &vars, int n) {
    std::vector<std::string> lines;
    for (int i = vars.ControlList.Count() - n; i < vars.ControlList.Count(); ++i) lines.push_back(vars.ControlList[i]);
    return lines;
}

std::vector<std::string> AllLines(const AuthoringVars &vars) { return LastLines(vars, vars.ControlList.Count()); }

// Entry k's blob as the data file holds it, descrambled with the key of the
// old picture's width.
std::string PlainBlob(const AuthoringScene &s, int k, int oldWidth) {
    const int32_t offset = platform::StrToInt(s.vars.ControlList[6 * k + 4]);
    const int32_t length = platform::StrToInt(s.vars.ControlList[6 * k + 5]);
    std::string blob = FileBytes(s.PackageFile("zelfin.dat")).substr(static_cast<size_t>(offset), static_cast<size_t>(length));
    if (static_cast<int32_t>(blob.size()) != length) return std::string();
    package::ScrambleBlob(reinterpret_cast<uint8_t *>(blob.data()), blob.size(), package::ScrambleKey(oldWidth));
    return blob;
}

// A 24-bit BMP must hold exactly the w x h rectangle of the update image at
// (x, y): checked field by field, then pixel by pixel, bottom row first.
void ExpectBmpOf(const std::string &bmp, const QImage &update, int x, int y, int w, int h) {
    const uint32_t rowSize = (static_cast<uint32_t>(w) * 24 + 31) / 32 * 4;
    QVERIFY(bmp.size() >= 54);
    QCOMPARE(bmp.substr(0, 2), std::string("BM"));
    QCOMPARE(Le32(bmp, 2), static_cast<uint32_t>(bmp.size()));
    QCOMPARE(Le32(bmp, 6), 0u);
    QCOMPARE(Le32(bmp, 10), 54u);
    QCOMPARE(Le32(bmp, 14), 40u);
    QCOMPARE(Le32(bmp, 18), static_cast<uint32_t>(w));
    QCOMPARE(Le32(bmp, 22), static_cast<uint32_t>(h));
    QCOMPARE(Le16(bmp, 26), 1u);
    QCOMPARE(Le16(bmp, 28), 24u);
    QCOMPARE(Le32(bmp, 30), 0u);
    QCOMPARE(Le32(bmp, 34), rowSize * static_cast<uint32_t>(h));
    for (size_t at : {38u, 42u, 46u, 50u}) QCOMPARE(Le32(bmp, at), 0u);
    QCOMPARE(bmp.size(), 54 + static_cast<size_t>(rowSize) * static_cast<size_t>(h));
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) {
            const size_t at = 54 + static_cast<size_t>(h - 1 - row) * rowSize + static_cast<size_t>(col) * 3;
            const uint32_t stored = static_cast<uint8_t>(bmp[at + 2]) << 16 | static_cast<uint8_t>(bmp[at + 1]) << 8 |
                                    static_cast<uint8_t>(bmp[at]);
            if (stored != (update.pixel(x + col, y + row) & 0xFFFFFFu))
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 of the rectangle differs").arg(col).arg(row)));
        }
}

// The window right after an entry was recorded.
void ExpectEntryRecorded(const AuthoringScene &s, int w, int h) {
    const TForm1 &f = *s.form1;
    QCOMPARE(s.vars.AuthoringState, AuthoringMode::Selecting);
    QVERIFY(!f.Image1->Holder().HasPicture());
    QVERIFY(!f.Button1->isEnabled());
    QVERIFY(!f.Paste1->isEnabled());
    QVERIFY(!f.acceptDrops());
    QCOMPARE(f.StatusBar1->SimpleText(), QString::fromUtf8(texts::kNextFileText));
    QCOMPARE(s.form1->Image2->Holder().Width(), w);
    QCOMPARE(s.form1->Image2->Holder().Height(), h);
    QCOMPARE(s.vars.X2, w);
    QCOMPARE(s.vars.Y2, h);
    // The working file is gone; only the data file was there before.
    QCOMPARE(s.PackageNames(), std::vector<std::string>{"zelfin.dat"});
}

QString LastLogLine(const AuthoringScene &s) { return s.form1->Memo1->toPlainText().split(QLatin1Char('\n')).last(); }

std::string Size(const std::string &path) { return std::to_string(FileBytes(path).size()); }

// Everything a failed OK must leave as it was.
struct Observed {
    std::string data;
    std::vector<std::string> lines;
    int32_t entry, offset, x1, y1, x2, y2;
    AuthoringMode mode;
    bool ok;
    QString log;
    std::vector<uint32_t> shown, clean;
    std::vector<std::string> names;

    static std::vector<uint32_t> Pixels(const platform::PictureHolder &h) {
        const NvBitmap *b = h.Picture();
        if (b == nullptr) return {};
        return std::vector<uint32_t>(b->pixels, b->pixels + static_cast<size_t>(b->width) * b->height);
    }

    explicit Observed(const AuthoringScene &s)
        : data(FileBytes(s.PackageFile("zelfin.dat"))), lines(AllLines(s.vars)), entry(s.vars.EntryNumber),
          offset(s.vars.DataOffset), x1(s.vars.X1), y1(s.vars.Y1), x2(s.vars.X2), y2(s.vars.Y2),
          mode(s.vars.AuthoringState), ok(s.form1->Button1->isEnabled()), log(s.form1->Memo1->toPlainText()),
          shown(Pixels(s.form1->Image1->Holder())), clean(Pixels(s.form1->Image2->Holder())),
          names(s.PackageNames()) {}
};

void ExpectUnchanged(const Observed &before, const AuthoringScene &s) {
    const Observed now(s);
    QCOMPARE(now.data, before.data);
    QCOMPARE(now.lines, before.lines);
    QCOMPARE(now.entry, before.entry);
    QCOMPARE(now.offset, before.offset);
    QCOMPARE(now.x1, before.x1);
    QCOMPARE(now.y1, before.y1);
    QCOMPARE(now.x2, before.x2);
    QCOMPARE(now.y2, before.y2);
    QCOMPARE(now.mode, AuthoringMode::Marking);
    QVERIFY(now.ok);
    QCOMPARE(now.log, before.log);
    QVERIFY(now.shown == before.shown);
    QVERIFY(now.clean == before.clean);
    QCOMPARE(now.names, before.names);
}

void ExpectOneMessage(const AuthoringScene &s, const QString &text, const QString &caption) {
    QCOMPARE(s.dialogs.messages.size(), 1u);
    QCOMPARE(s.dialogs.messages[0].text, text);
    QCOMPARE(s.dialogs.messages[0].caption, caption);
    QCOMPARE(s.dialogs.messages[0].flags, 16);
}

const QString kError = QStringLiteral("ｴﾗｰ");
const QString kNotRecorded = QString::fromUtf8(texts::kNotRecordedSuffix);

// Stand-ins for the library's JPEG save that claim success.
int32_t SaveLeavesNothing(int32_t, const char *path) { return ::unlink(path) == 0 ? 1 : 0; }
int32_t SaveLeavesEmptyFile(int32_t, const char *path) { return ::truncate(path, 0) == 0 ? 1 : 0; }

}  // namespace

class RecordingTest : public QObject {
    Q_OBJECT
private slots:
    void bmpEntries() {
        AuthoringScene s;
        const QImage first = forge_test::PhotoImage(64, 48, 11);
        s.StartMarking("old.jpg", first);
        s.Mark({10, 20}, {11, 21});
        QVERIFY(s.form1->Button1->isEnabled());
        s.Ok();
        QVERIFY(s.dialogs.messages.empty());
        QCOMPARE(LastLogLine(s), QStringLiteral("1:old.jpgを追加"));
        QCOMPARE(LastLines(s.vars, 6),
                 (std::vector<std::string>{"old.jpg", Size(s.work.File("old.jpg")), "10", "20", "0", "58"}));
        QCOMPARE(s.vars.ControlList.Count(), 12);
        const std::string smallest = PlainBlob(s, 1, 64);
        QCOMPARE(smallest.size(), 58u);
        ExpectBmpOf(smallest, first, 10, 20, 1, 1);
        ExpectEntryRecorded(s, 1, 1);
        QCOMPARE(s.vars.EntryNumber, 2);
        QCOMPARE(s.vars.DataOffset, 58);

        // The second entry starts where the first ended. Its top-left marker
        // lies on the rectangle's first row and column, and the bottom-right
        // click lands on the picture's last column and row, which stay out.
        const QImage second = forge_test::PhotoImage(300, 40, 12);
        s.StartMarking("wide.jpg", second);
        s.Mark({5, 6}, {299, 39});
        s.Ok();
        QVERIFY(s.dialogs.messages.empty());
        QCOMPARE(LastLogLine(s), QStringLiteral("2:wide.jpgを追加"));
        const int length = 54 + 884 * 33;
        QCOMPARE(LastLines(s.vars, 6), (std::vector<std::string>{"wide.jpg", Size(s.work.File("wide.jpg")), "5", "6",
                                                                 "58", std::to_string(length)}));
        ExpectBmpOf(PlainBlob(s, 2, 300), second, 5, 6, 294, 33);
        QCOMPARE(FileBytes(s.PackageFile("zelfin.dat")).size(), static_cast<size_t>(58 + length));
        QCOMPARE(s.vars.DataOffset, 58 + length);
        QCOMPARE(s.vars.EntryNumber, 3);
        ExpectEntryRecorded(s, 294, 33);
    }

    // The blob is the image library's JPEG of the rectangle at the
    // difference quality: byte for byte what the library makes of that BMP.
    void jpegEntry() {
        AuthoringScene s;
        s.RecordAsJpeg(80);
        const QImage update = forge_test::PhotoImage(64, 48, 13);
        s.StartMarking("old.jpg", update);
        s.Mark({8, 4}, {40, 30});
        s.Ok();
        QVERIFY(s.dialogs.messages.empty());
        const std::string jpeg = PlainBlob(s, 1, 64);
        QCOMPARE(jpeg.substr(0, 2), std::string("\xFF\xD8"));
        const testsupport::JpegInfo info = testsupport::ReadJpegInfo(std::vector<uint8_t>(jpeg.begin(), jpeg.end()));
        QCOMPARE(info.width, 32);
        QCOMPARE(info.height, 26);

        testsupport::TempDir scratch;
        platform::BitmapPtr rect(platform::AllocBitmap(32, 26));
        for (int y = 0; y < 26; ++y)
            for (int x = 0; x < 32; ++x) rect->pixels[y * 32 + x] = update.pixel(8 + x, 4 + y) & 0xFFFFFFu;
        platform::SaveBmp24ToFile(*rect, scratch.File("rect.bmp"));
        platform::BitmapPtr loaded(s.gra.LoadPicture(scratch.File("rect.bmp"), 0));
        QVERIFY(s.gra.SaveAsJpeg(80, scratch.File("rect.jpg")));
        QVERIFY(jpeg == FileBytes(scratch.File("rect.jpg")));
        QCOMPARE(LastLines(s.vars, 6)[5], std::to_string(jpeg.size()));
        ExpectEntryRecorded(s, 32, 26);
    }

    // A "temp" of the author's in the package folder, and a symbolic link
    // under the next free name, are neither replaced, followed nor deleted.
    void workingFileNeverTakesTheAuthorsFiles() {
        AuthoringScene s;
        testsupport::WriteFile(s.PackageFile("temp"), std::string("the author's own notes"));
        QCOMPARE(::symlink(s.work.File("elsewhere").c_str(), s.PackageFile("temp-1").c_str()), 0);
        for (bool jpeg : {false, true}) {
            if (jpeg) s.RecordAsJpeg(70);
            s.StartMarking(jpeg ? "other.jpg" : "old.jpg", forge_test::PhotoImage(64, 48, 14));
            s.Mark({1, 2}, {30, 40});
            s.Ok();
            QVERIFY(s.dialogs.messages.empty());
            QCOMPARE(s.vars.AuthoringState, AuthoringMode::Selecting);
            QCOMPARE(FileBytes(s.PackageFile("temp")), std::string("the author's own notes"));
            QVERIFY(!testsupport::FileExists(s.work.File("elsewhere")));
            QCOMPARE(s.PackageNames(), (std::vector<std::string>{"temp", "temp-1", "zelfin.dat"}));
        }
        QCOMPARE(s.vars.EntryNumber, 3);
    }

    // The working file cannot be created or written: the platform's own
    // report for a file it cannot create.
    void workingFileFails_data() {
        QTest::addColumn<bool>("folderIsAFile");
        QTest::newRow("package folder replaced by a file") << true;
        QTest::newRow("file-size limit") << false;
    }

    void workingFileFails() {
        QFETCH(bool, folderIsAFile);
        AuthoringScene s;
        const QImage update = forge_test::PhotoImage(64, 48, 15);
        s.StartMarking("old.jpg", update);
        s.Mark({10, 20}, {40, 30});
        const Observed before(s);
        const std::string folder = s.package.substr(0, s.package.size() - 1);
        if (folderIsAFile) {
            std::filesystem::rename(folder, folder + "-away");
            testsupport::WriteFile(folder, std::string("in the folder's place"));
            s.Ok();
            std::filesystem::remove(folder);
            std::filesystem::rename(folder + "-away", folder);
        } else {
            test_files::FileSizeLimit limit(20);
            s.Ok();
        }
        ExpectOneMessage(s, QString::fromStdString("ﾌｧｲﾙ " + s.package + "temp を作成できません."),
                         platform::ApplicationTitle(QCoreApplication::applicationFilePath()));
        ExpectUnchanged(before, s);

        s.Ok();
        QCOMPARE(s.dialogs.messages.size(), 1u);
        QCOMPARE(LastLogLine(s), QStringLiteral("1:old.jpgを追加"));
        QCOMPARE(LastLines(s.vars, 6)[4], std::string("0"));
        ExpectBmpOf(PlainBlob(s, 1, 64), update, 10, 20, 30, 10);
        ExpectEntryRecorded(s, 30, 10);
    }

    // Failures after the working file was written: the message, then
    // nothing changed; once the cause is gone, OK records the same entry.
    void laterStepsFail_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("JPEG re-encoding hits the size limit") << 0;
        QTest::newRow("library leaves no working file") << 1;
        QTest::newRow("library leaves an empty working file") << 2;
        QTest::newRow("data file hits the size limit") << 3;
        QTest::newRow("data file would reach 2 GiB") << 4;
    }

    void laterStepsFail() {
        QFETCH(int, kind);
        AuthoringScene s;
        // An entry already in, so that cutting back has something to keep.
        s.StartMarking("other.jpg", forge_test::PhotoImage(64, 48, 16));
        s.Mark({0, 0}, {20, 20});
        s.Ok();
        const int32_t firstLength = 54 + 60 * 20;
        QCOMPARE(s.vars.DataOffset, firstLength);

        if (kind <= 2) s.RecordAsJpeg(90);
        const QImage update = forge_test::PhotoImage(64, 48, 17);
        s.StartMarking("old.jpg", update);
        s.Mark({10, 20}, {11, 21});
        const Observed before(s);
        const std::string workingFile = s.package + "temp";
        const std::string dataFile = s.package + "zelfin.dat";
        QString expected;
        switch (kind) {
        case 0: {
            // The 58-byte BMP fits, its JPEG (headers alone exceed 100
            // bytes) does not; the data file is not reached.
            test_files::FileSizeLimit limit(100);
            s.Ok();
            expected = QString::fromUtf8(texts::kJpegNotMade) + kNotRecorded;
            break;
        }
        case 1:
        case 2: {
            const auto realSave = s.gra.NViewLibSaveAsJPG;
            s.gra.NViewLibSaveAsJPG = kind == 1 ? SaveLeavesNothing : SaveLeavesEmptyFile;
            s.Ok();
            s.gra.NViewLibSaveAsJPG = realSave;
            expected = QString::fromStdString("ﾌｧｲﾙ " + workingFile + " を読めません。") + kNotRecorded;
            break;
        }
        case 3: {
            // The working file fits; the data file cannot take all 58 bytes.
            test_files::FileSizeLimit limit(firstLength + 30);
            s.Ok();
            expected = QString::fromStdString("ﾌｧｲﾙ " + dataFile + " に書き込めません。") + kNotRecorded;
            break;
        }
        case 4: {
            // As if the data file already held all but 57 bytes of 2 GiB - 1.
            s.vars.DataOffset = static_cast<int32_t>(package::kMaxDataFileSize - 57);
            s.Ok();
            expected = QString::fromStdString(dataFile + " が2GB以上になるため、この矩形は記録できません。");
            break;
        }
        }
        ExpectOneMessage(s, expected, kError);
        if (kind == 4) {
            QCOMPARE(s.vars.DataOffset, static_cast<int32_t>(package::kMaxDataFileSize - 57));
            // One byte more room and the entry fits exactly below 2 GiB.
            s.vars.DataOffset = static_cast<int32_t>(package::kMaxDataFileSize - 58);
            s.Ok();
            QCOMPARE(s.dialogs.messages.size(), 1u);
            QCOMPARE(s.vars.DataOffset, static_cast<int32_t>(package::kMaxDataFileSize));
            return;
        }
        ExpectUnchanged(before, s);

        s.Ok();
        QCOMPARE(s.dialogs.messages.size(), 1u);
        QCOMPARE(LastLogLine(s), QStringLiteral("2:old.jpgを追加"));
        QCOMPARE(LastLines(s.vars, 6)[4], std::to_string(firstLength));
        const std::string blob = PlainBlob(s, 2, 64);
        QCOMPARE(LastLines(s.vars, 6)[5], std::to_string(blob.size()));
        QCOMPARE(FileBytes(dataFile).size(), static_cast<size_t>(firstLength) + blob.size());
        if (kind <= 2)
            QCOMPARE(blob.substr(0, 2), std::string("\xFF\xD8"));
        else
            ExpectBmpOf(blob, update, 10, 20, 1, 1);
        ExpectEntryRecorded(s, 1, 1);
    }
};

FORGE_WINDOW_TEST_MAIN(RecordingTest)
#include "recording_test.moc"
