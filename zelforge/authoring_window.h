#pragma once
#include <QMainWindow>
#include <functional>
#include <string>

#include "authoring_log.h"
#include "authoring_vars.h"
#include "intake_phase.h"
#include "platform/ui/dialogs.h"

class Gra;
class QAction;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;

namespace platform {
class DirectoryListBox;
class DriveComboBox;
class FileListBox;
class ImageControl;
class SimpleStatusBar;
}  // namespace platform

namespace zelforge {

class TForm2;

// The authoring window ("Zelforge"): the file list, folder list and drive box
// to choose old JPEGs with, the log, OK, the image area and the instruction
// line. It binds the image library while it is constructed.
class TForm1 : public QMainWindow, public AuthoringLog {
    Q_OBJECT
public:
    // libraryFolder: where NVIEWLIB.DLL is bound from (the program's own
    // folder). When it cannot be bound the author is told, and LibraryBound()
    // is false: the program must end without going on.
    TForm1(AuthoringVars &vars, platform::Dialogs &dialogs, Gra &gra, const std::string &libraryFolder,
           QWidget *parent = nullptr);

    [[nodiscard]] bool LibraryBound() const { return libraryBound_; }
    // The settings dialog, whose controls hold the settings of the package.
    void SetSettingsDialog(TForm2 *form2) { Form2 = form2; }

    void AddLogLine(const std::string &utf8) override;

    void FileListBox1Change();
    void Paste1Click();
    // A drop of files; path is the first dropped local file in the file
    // system's encoding, whole.
    void WMDropFiles(const std::string &path);
    void BeginMarking();
    void FormResize();
    // A press of any mouse button on the shown picture, at (x, y) in it.
    void Image1MouseDown(Qt::MouseButton button, int x, int y);
    void Button1Click();  // OK: records the marked rectangle
    void Finish1Click();  // "作成して終了"
    void N3Click();       // "ｷｬﾝｾﾙ終了"
    // Runs for every close request; true when the window may close.
    bool FormClose();

    // Accepting or refusing dropped files for the whole window.
    void DragAcceptFiles(bool accept);
    void ApplyPhase(IntakePhase phase);

    TForm2 *Form2 = nullptr;

    QWidget *ScrollBox2 = nullptr;
    platform::FileListBox *FileListBox1 = nullptr;
    platform::DirectoryListBox *DirectoryListBox1 = nullptr;
    platform::DriveComboBox *DriveComboBox1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *Button1 = nullptr;
    QScrollArea *ScrollBox1 = nullptr;
    platform::ImageControl *Image1 = nullptr;
    platform::ImageControl *Image2 = nullptr;
    platform::SimpleStatusBar *StatusBar1 = nullptr;
    QMenuBar *MainMenu1 = nullptr;
    QMenu *File1 = nullptr;
    QAction *Paste1 = nullptr;
    QAction *N2 = nullptr;
    QAction *Finish1 = nullptr;
    QAction *N3 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void BuildDesign();
    // The window's own alignment of its parts, before FormResize: the top
    // strip along the top at its fixed height, the image area below it.
    void AlignParts();
    void ShowError(const QString &text);
    // Runs a handler; a failure it raises is shown as the platform's
    // exception report and ends the handler there.
    void Reporting(const std::function<void()> &handler);

    AuthoringVars &vars_;
    platform::Dialogs &dialogs_;
    Gra &gra_;
    // Where "zelfin.exx" and "NVIEWLIB.DLL" lie: the program's own folder.
    std::string toolFolder_;
    bool libraryBound_ = false;
    bool placed_ = false;
};

}  // namespace zelforge
