// The program as an engineer meets it, measured in fresh processes:
//  - cold start: from fork to the main window on screen, the splash skipped
//    by a key as soon as it shows;
//  - one search: from the click on "Выполнить поиск" to the results window
//    shown (the first search of the run, then the median of later ones);
//  - peak memory (VmHWM) after the first search.
//
//   zirs_startup_bench [RUNS]      (run in a folder that holds database.mdb)
//
// Each run forks a copy of this program that starts exactly as zirs does
// (RunZirs), on the offscreen platform with a private lock folder.

#include "results/results_window.h"
#include "ui/application.h"
#include "ui/main_window.h"
#include "ui/splash_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

long long NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

long PeakRssKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return -1;
}

template <class T> T* Find(QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name));
}

// A broad full search on the bundled catalogue (a Wald ranking).
void FillRequest(TForm1* form) {
    const char* fields[][2] = {{"DBAdvMaskEdit1", "3"},  {"DBAdvMaskEdit2", "300"},
                               {"DBAdvMaskEdit3", "20"}, {"DBAdvMaskEdit4", "2000"},
                               {"DBAdvMaskEdit5", "10"}, {"DBAdvMaskEdit6", "45"}};
    for (const auto& field : fields)
        Find<QLineEdit>(form, field[0])->setText(QString::fromLatin1(field[1]));
    QComboBox* group = Find<QComboBox>(form, "suiComboBox1");
    group->setCurrentIndex(0);
    emit group->activated(0);
    for (const char* box : {"suiCheckBox1", "suiCheckBox2", "suiCheckBox3"})
        Find<QCheckBox>(form, box)->setChecked(true);
}

// One search through the real button; returns its time to the results
// window on screen.
double TimedSearchMs(TApplicationObjects& objects) {
    const long long start = NowNs();
    Find<QPushButton>(objects.Form1(), "suiButton1")->click();
    TForm4* results = objects.Form4();
    while (
        !(results->isVisible() && results->windowHandle() && results->windowHandle()->isExposed()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return (NowNs() - start) / 1e6;
}

int Child(int argc, char** argv, long long forkedAtNs) {
    return RunZirs(argc, argv, [forkedAtNs](TApplicationObjects& objects) {
        QTimer::singleShot(0, objects.Form5(), [&objects] {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            QApplication::sendEvent(objects.Form5(), &press);
        });
        auto* poll = new QTimer(objects.Form1());
        QObject::connect(poll, &QTimer::timeout, [poll, &objects, forkedAtNs] {
            QWindow* window = objects.Form1()->windowHandle();
            if (!window || !window->isExposed())
                return;
            poll->stop();
            const double startMs = (NowNs() - forkedAtNs) / 1e6;
            FillRequest(objects.Form1());
            const double firstSearchMs = TimedSearchMs(objects);
            const long peakKb = PeakRssKb();
            std::vector<double> later;
            for (int i = 0; i < 30; ++i)
                later.push_back(TimedSearchMs(objects));
            std::sort(later.begin(), later.end());
            std::printf("%.2f %.3f %.3f %ld\n", startMs, firstSearchMs, later[later.size() / 2],
                        peakKb);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
        poll->start(0);
    });
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return Child(1, argv, std::atoll(argv[2]));

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    char runtime[] = "/tmp/zirs-bench-XXXXXX";
    if (!mkdtemp(runtime))
        return 1;
    setenv("XDG_RUNTIME_DIR", runtime, 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    std::vector<double> start, first, later, peak;
    for (int run = 0; run < runs; ++run) {
        int out[2];
        if (pipe(out) != 0)
            return 1;
        const long long forkedAt = NowNs();
        const pid_t pid = fork();
        if (pid == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            // The offscreen platform's notes ("does not support raise()") are noise here.
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDERR_FILENO);
            const std::string stamp = std::to_string(forkedAt);
            execl("/proc/self/exe", argv[0], "--child", stamp.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        char line[256] = {};
        const ssize_t got = read(out[0], line, sizeof line - 1);
        close(out[0]);
        waitpid(pid, nullptr, 0);
        double s = 0, f = 0, l = 0;
        long kb = 0;
        if (got <= 0 || std::sscanf(line, "%lf %lf %lf %ld", &s, &f, &l, &kb) != 4) {
            std::fprintf(stderr, "run %d gave no figures (is database.mdb here?)\n", run);
            return 1;
        }
        start.push_back(s);
        first.push_back(f);
        later.push_back(l);
        peak.push_back(kb / 1024.0);
    }
    rmdir(runtime);
    std::printf("cold start to main window shown (splash skipped): median %.1f ms, max %.1f ms\n",
                Median(start), *std::max_element(start.begin(), start.end()));
    std::printf("first search, click to results shown:           median %.2f ms\n", Median(first));
    std::printf("later searches, click to results shown:         median %.2f ms\n", Median(later));
    std::printf("peak RSS after one search:                      median %.1f MB, max %.1f MB\n",
                Median(peak), *std::max_element(peak.begin(), peak.end()));
    std::printf("(%d runs)\n", runs);
    return 0;
}
