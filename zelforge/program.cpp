#include "program.h"

#include <QApplication>
#include <exception>

#include "authoring_vars.h"
#include "authoring_window.h"
#include "settings_dialog.h"

namespace zelforge {

namespace {

QString Title() { return platform::ApplicationTitle(QCoreApplication::applicationFilePath()); }

}  // namespace

int RunZelforge(platform::Dialogs &dialogs, Gra &gra, const std::string &libraryFolder) {
    try {
        // Declared first so it outlives both windows: the data file closes last.
        AuthoringVars vars;
        TForm1 form1(vars, dialogs, gra, libraryFolder);
        if (!form1.LibraryBound()) return 0;
        TForm2 form2(vars, dialogs, form1);
        form1.SetSettingsDialog(&form2);
        form2.FormCreate();
        // A cancelled dialog ended the program before the authoring window
        // was ever shown.
        if (vars.TerminateRequested) return 0;
        form1.show();
        QApplication::exec();
    } catch (const std::exception &e) {
        platform::ShowExceptionReport(dialogs, nullptr, QString::fromUtf8(e.what()), Title());
    } catch (...) {
        platform::ShowExceptionReport(dialogs, nullptr, QStringLiteral("?"), Title());
    }
    return 0;
}

}  // namespace zelforge
