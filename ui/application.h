#pragma once
// The program's start: the one-copy rule, the catalogue test, the
// application's title and icon, and the long-lived objects made once, in a
// fixed order, for the whole run.

#include <QPointer>
#include <QString>

#include <functional>

#include <memory>

class QApplication;
class TDataModule1;
class TForm1;
class TForm2;
class TForm4;
class TForm6;
class Tform5;

inline constexpr const char* InstanceLockName = "MyMutex";

// True for an existing file (or a link to one) named CatalogueFileName
// (ui/data_module.h) in the working directory; a folder of that name does
// not count.
bool CatalogueFileExists();

// The objects that live from start-up to exit, made in this order: the main
// window, the splash, the catalogue object, the results, analysis and help
// windows. They are wired together here (closing the main window ends the
// application's event loop); destroyed in reverse order.
class TApplicationObjects {
public:
    TApplicationObjects();
    ~TApplicationObjects();
    TApplicationObjects(const TApplicationObjects&) = delete;
    TApplicationObjects& operator=(const TApplicationObjects&) = delete;

    TForm1* Form1() const { return m_form1.get(); }
    Tform5* Form5() const; // null once the splash has closed
    TDataModule1* DataModule1() const { return m_dataModule1.get(); }
    TForm4* Form4() const { return m_form4; }
    TForm2* Form2() const { return m_form2.get(); }
    TForm6* Form6() const { return m_form6.get(); }

private:
    std::unique_ptr<TForm1> m_form1;
    QPointer<Tform5> m_form5; // destroys itself when it closes
    std::unique_ptr<TDataModule1> m_dataModule1;
    TForm4* m_form4 = nullptr; // a window of the main window, destroyed with it
    std::unique_ptr<TForm2> m_form2;
    std::unique_ptr<TForm6> m_form6;
};

// What the program sets on its application object before it makes a window:
// the icon, the Windows faces and the Russian standard dialogs.
void PrepareApplication(QApplication& app);

// The whole program: returns the process's exit code (0 also when it refuses
// to start). `started`, if given, runs once the objects exist, just before the
// main window is first shown (the start-up benchmark uses it to skip the
// splash and to time the run).
int RunZirs(int argc, char** argv, const std::function<void(TApplicationObjects&)>& started = {});
