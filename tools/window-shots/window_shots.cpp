// Draws the results, help and splash windows into PNG files so their look can
// be held against the layout: a ranked result, a single variant, the help
// page, and the splash early and after its animation has settled.
//   xvfb-run -a -s "-screen 0 1280x1024x24" zirs_window_shots OUTPUT_FOLDER

#include "results/results_window.h"
#include "ui/help_window.h"
#include "ui/splash_window.h"
#include "widgets/windows_fonts.h"

#include "engine/criterion_headings.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

namespace {

TSearchResult RankedExample() {
    TSearchResult result;
    result.Kind = TResultKind::Wald;
    result.AdmissibleCount = 7;
    result.CriterionHeading = WaldHeading;
    const char* names[] = {
        ("Ремонт с устройством нового кровельного ковра из наплавляемых рулонных материалов "
         "без снятия старого покрытия"),
        "Ремонт мастичной кровли с нанесением армированного ремонтного слоя",
        "Замена изношенной кровли рулонными материалами на мастике", "Четвёртый вариант",
        "Пятый вариант"};
    for (std::size_t i = 0; i < result.Ranked.size(); ++i) {
        TRankedVariant& row = result.Ranked[i];
        row.Place = int(i) + 1;
        row.Name = names[i];
        row.ProcessComposition = "Очистка поверхности кровли, огрунтовка, наклейка двух слоёв "
                                 "наплавляемого материала, устройство защитного слоя";
        row.CriterionText = "0," + std::to_string(812 - 97 * int(i));
    }
    return result;
}

TSearchResult SingleExample() {
    TSearchResult result;
    result.Kind = TResultKind::Single;
    result.AdmissibleCount = 1;
    result.Ranked[0] = {1, "Ремонт мастичной кровли с нанесением ремонтного слоя",
                        "Очистка, огрунтовка, нанесение мастики в два слоя", ""};
    return result;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    RegisterWindowsFonts();
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());

    // Each picture is taken once the window has laid itself out.
    auto settle = [] {
        QEventLoop pause;
        QTimer::singleShot(200, &pause, &QEventLoop::quit);
        pause.exec();
    };
    TForm4 results;
    SearchInputs request;
    request.Address = QStringLiteral("ул. Садовая, д. 5");
    request.Subject = Designer;
    results.ShowSearchResult(RankedExample(), request);
    settle();
    results.grab().save(folder.filePath(QStringLiteral("results_ranked.png")));
    results.ShowSearchResult(SingleExample(), SearchInputs{});
    settle();
    results.grab().save(folder.filePath(QStringLiteral("results_single.png")));
    results.hide();

    TForm6 help;
    help.show();
    settle();
    help.grab().save(folder.filePath(QStringLiteral("help.png")));
    help.hide();

    QPointer<Tform5> splash = new Tform5;
    splash->show();
    QTimer::singleShot(900, [&] {
        if (splash)
            splash->grab().save(folder.filePath(QStringLiteral("splash_early.png")));
    });
    QTimer::singleShot(SplashMovie::AnimationMs + 300, [&] {
        if (splash)
            splash->grab().save(folder.filePath(QStringLiteral("splash.png")));
        app.quit();
    });
    return app.exec();
}
