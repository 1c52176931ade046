#pragma once
#include <QImage>
#include <QPoint>
#include <memory>
#include <string>

#include "forge_fixture.h"
#include "imagelib/gra.h"
#include "tests/support/temp_dir.h"
#include "tests/support_ui/scripted_dialogs.h"
#include "zelforge/authoring_vars.h"
#include "zelforge/authoring_window.h"
#include "zelforge/settings_dialog.h"

namespace forge_test {

// Both windows as the program entry leaves them once the author accepted the
// settings: a package started in work/pkg/ for the distribution file
// work/pkg/patch.exe (by default), the authoring window shown on work/, which holds the
// old JPEGs "old.jpg" (64 x 48), "wide.jpg" (300 x 40) and "other.jpg"
// (64 x 48).
class AuthoringScene {
public:
    // toolFolder: where the window binds the library from and where
    // finishing takes "zelfin.exx" and "NVIEWLIB.DLL" ('/'-terminated).
    // distributionName: the distribution file's name in work/pkg/.
    explicit AuthoringScene(const std::string &toolFolder = LibraryFolder(),
                            const std::string &distributionName = "patch.exe");
    ~AuthoringScene();

    testsupport::TempDir work;
    const std::string package;  // work/pkg/
    testsupport::ScriptedDialogs dialogs;
    Gra gra;
    zelforge::AuthoringVars vars;
    std::unique_ptr<zelforge::TForm1> form1;
    std::unique_ptr<zelforge::TForm2> form2;

    // The settings dialog's JPEG recording, as if set before its OK.
    void RecordAsJpeg(int quality);
    void RecordAsBmp();

    // Selects an old JPEG in the file list and pastes the update image.
    void StartMarking(const std::string &oldName, const QImage &update);
    // One press of a mouse button on the shown picture.
    void Press(Qt::MouseButton button, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Left press on the top-left corner, right press on the bottom-right one.
    void Mark(QPoint topLeft, QPoint bottomRight);
    // Clicks OK.
    void Ok();

    [[nodiscard]] std::string PackageFile(const std::string &name) const { return package + name; }
    // The package folder's names, sorted.
    [[nodiscard]] std::vector<std::string> PackageNames() const;

private:
    CurrentFolderGuard folderGuard_;
};

}  // namespace forge_test
