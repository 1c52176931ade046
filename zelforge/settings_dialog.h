#pragma once
#include <QDialog>

#include "authoring_vars.h"
#include "platform/ui/dialogs.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace platform {
class UpDown;
}

namespace zelforge {

class TForm1;

// The package settings dialog ("新規"). It stays in existence, hidden, after
// it closes: its controls are where the later steps read the settings from.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2(AuthoringVars &vars, platform::Dialogs &dialogs, TForm1 &form1, QWidget *parent = nullptr);

    // Runs the dialog modally; returns once it has closed, accepted or not.
    void FormCreate();

    void Button1Click();      // "参照(&B)"
    void Button2Click();      // "OK"
    void Button3Click();      // "ｷｬﾝｾﾙ"
    void ChkJpegSaveClick();
    void FormClose();

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLineEdit *EdtExe = nullptr;
    QLineEdit *EdtQuality = nullptr;
    QLineEdit *EdtMessage = nullptr;
    QLineEdit *EdtQuality2 = nullptr;
    platform::UpDown *UpDown1 = nullptr;
    platform::UpDown *UpDown2 = nullptr;
    QCheckBox *ChkBackup = nullptr;
    QCheckBox *ChkJpegSave = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button3 = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

public slots:
    // No button is the dialog's cancel button: Esc does not close it.
    void reject() override;

private:
    void BuildDesign();

    AuthoringVars &vars_;
    platform::Dialogs &dialogs_;
    TForm1 &form1_;
};

}  // namespace zelforge
