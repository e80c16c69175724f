#include "window/application.hpp"

#include "engine/data_folder.hpp"
#include "engine/errors.hpp"
#include "modes/Unit2.hpp"
#include "modes/Unit3.hpp"
#include "window/Unit1.hpp"
#include "window/qt_clock.hpp"
#include "window/sound_player.hpp"
#include "window/text.hpp"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>

namespace semtra::window {

int runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("semtra"));
    QGuiApplication::setDesktopFileName(QStringLiteral("semtra"));
    // The standard dialogs speak Russian, as the rest of the program, where Qt's Russian
    // translations are installed.
    QTranslator qtRussian;
    if (qtRussian.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtRussian);

    std::filesystem::path workDir;
    try {
        workDir = chooseWorkFolder(std::nullopt, QApplication::applicationFilePath().toStdString());
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Semtra"),
                              QString::fromLocal8Bit(error.what()));
        return 2;
    }

    QtClock clock;
    Form1Services services{FileSystem(workDir, drivesFolder())};
    services.clock = &clock;
    // A sound file that cannot be opened stops the start before the main window exists.
    std::unique_ptr<SoundCues> sound;
    try {
        sound = openSoundCues(services.files);
    } catch (const EngineError& error) {
        const QString message = fromCp(error.what()) + QLatin1Char('.');
        std::cerr << "semtra: " << message.toLocal8Bit().constData() << '\n';
        QMessageBox::critical(nullptr, QStringLiteral("Semtra"), message);
        return 1;
    }
    services.sound = sound.get();
    TForm1 form1(std::move(services));
    TForm2 form2(&form1, form1.engine().clock(), form1.engine().random());
    TForm3 form3(&form1);
    form2.setAttribute(Qt::WA_QuitOnClose, false);
    form3.setAttribute(Qt::WA_QuitOnClose, false);
    form1.setSideWindows(&form2, &form3);
    // The icon is among the About window's resources, which its creation brought in.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/semtra/icon.png")));
    form1.show();
    return app.exec();
}

} // namespace semtra::window
