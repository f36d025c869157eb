#include "ui/application.h"

#include "results/report_data.h"
#include "results/results_window.h"
#include "ui/analysis_window.h"
#include "ui/app_icon.h"
#include "ui/data_module.h"
#include "ui/help_window.h"
#include "ui/instance_lock.h"
#include "ui/main_window.h"
#include "ui/splash_window.h"
#include "widgets/windows_fonts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <sys/stat.h>

namespace {

// The standard dialogs (the error box, the report's print and file dialogs)
// speak Russian like the rest of the program, whatever the machine's locale.
void LoadRussianTranslation(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ru"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

bool CatalogueFileExists() {
    struct stat info {};
    return stat(CatalogueFileName, &info) == 0 && !S_ISDIR(info.st_mode);
}

TApplicationObjects::TApplicationObjects() {
    m_form1 = std::make_unique<TForm1>();
    m_form5 = new Tform5();
    m_dataModule1 = std::make_unique<TDataModule1>();
    m_form4 = new TForm4(m_form1.get());
    m_form2 = std::make_unique<TForm2>();
    m_form6 = std::make_unique<TForm6>();

    TForm1* form1 = m_form1.get();
    form1->setSplash(m_form5.data());
    form1->setDataModule(m_dataModule1.get());
    TForm4* form4 = m_form4;
    TForm2* form2 = m_form2.get();
    TForm6* form6 = m_form6.get();
    form1->onSearchResult = [form4](const TSearchResult& result, const SearchInputs& request) {
        form4->ShowSearchResult(result, request);
    };
    form1->onSearchState = [form2](const SearchState& state) { form2->ShowSearchState(state); };
    form1->onAbout = [form6] { form6->showModal(); };
    // Closing the main window ends the program, also while the results window
    // is still open.
    QObject::connect(form1, &TForm1::closed, QCoreApplication::instance(), &QCoreApplication::quit);
    // The report reads the main window's fields as they stand when it is made.
    TDataModule1* module = m_dataModule1.get();
    form4->onPrint = [form1, form4, module] {
        PrintReport(form1->currentInputs(), module->State, form4);
    };
}

Tform5* TApplicationObjects::Form5() const {
    return m_form5.data();
}

TApplicationObjects::~TApplicationObjects() {
    m_form6.reset();
    m_form2.reset();
    m_dataModule1.reset();
    delete m_form5.data();
    m_form1.reset(); // takes the results window with it
}

void PrepareApplication(QApplication& app) {
    // The title is the program's name, not a display name: on X11 Qt appends
    // the display name to every window title, and each window carries its own
    // caption exactly.
    // The faces first: whatever is drawn before them would settle on a
    // substitute face.
    RegisterWindowsFonts();
    QApplication::setWindowIcon(MakeApplicationIcon());
    LoadRussianTranslation(app);
}

int RunZirs(int argc, char** argv, const std::function<void(TApplicationObjects&)>& started) {
    // Another copy runs: leave without a word. A lock that cannot be made at
    // all (no usable runtime folder) does not keep the program from running.
    if (AcquireInstanceLock(InstanceLockName) == InstanceLockResult::HeldByOther)
        return 0;
    if (!CatalogueFileExists())
        return 0;

    QApplication app(argc, argv);
    PrepareApplication(app);

    TApplicationObjects objects;
    if (started)
        started(objects);
    objects.Form1()->show();
    return app.exec();
}
