#pragma once
#include <QWidget>

#include "applier_run.h"
#include "imagelib/gra.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/image_control.h"

class QLabel;
class QPushButton;

namespace zelfin {

// The applier's only window. Its construction runs the whole application;
// afterwards it shows the outcome until OK. An exception out of the run
// (a platform failure) leaves the constructor for the top-level report.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    TForm1(platform::Dialogs &dialogs, Gra &gra, const std::string &programFolder, QWidget *parent = nullptr);

    // True when the prompt gave no folder: the program ends without showing
    // the window.
    [[nodiscard]] bool EndsQuietly() const { return endsQuietly_; }

    QLabel *Label1 = nullptr;
    QPushButton *Button1 = nullptr;
    platform::ImageControl *Image1 = nullptr;  // composite
    platform::ImageControl *Image2 = nullptr;  // block picture
    platform::ImageControl *Image3 = nullptr;  // old picture

    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildControls();

    RunState state_;
    bool endsQuietly_ = false;
};

// The program: the result window inside the top-level handler for platform
// failures. Needs a QApplication. Returns the exit code.
int RunZelfinProgram(platform::Dialogs &dialogs, Gra &gra, const std::string &programFolder,
                     const QString &applicationTitle);

}  // namespace zelfin
