// SPDX-License-Identifier: MIT
#include "ui/PassPlot.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "batch/PassLog.h"
#include "ui/CodePage.h"
#include "ui/PassCharts.h"

namespace ui {
namespace {

constexpr int plotWidth = 1600;

// Qt's offscreen platform draws without a display; an application is made only when the
// caller has none.
std::unique_ptr<QApplication> offscreenApplication() {
    if (QApplication::instance() != nullptr) {
        return nullptr;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Qt's notes about the offscreen platform are no concern of a command-line run.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::cerr << "veskar-decode: " << text.toStdString() << '\n';
        }
    });
    static int argc = 1;
    static char name[] = "veskar-decode";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

bool hasPictureSuffix(const std::string& output) {
    const QString suffix = QFileInfo(QFile::decodeName(output.c_str())).suffix().toLower();
    return suffix == QStringLiteral("png") || suffix == QStringLiteral("svg");
}

batch::PassLog readLog(const std::string& name) {
    if (name == "-") {
        return batch::readPassLog(std::cin, "<stdin>", check::systemClock);
    }
    return batch::readPassLogFile(name, check::systemClock);
}

}  // namespace

int plotLogs(const std::string& output, const std::vector<std::string>& logs,
             std::ostream& errors) {
    if (!hasPictureSuffix(output)) {
        errors << "veskar-decode: --plot needs a FILE ending in .png or .svg, not " << output
               << "\n";
        return 2;
    }
    const auto application = offscreenApplication();
    std::vector<Pass> passes;
    int status = 0;
    for (const std::string& name : logs) {
        batch::PassLog log = readLog(name);
        if (log.readError) {
            errors << "veskar-decode: cannot read " << name << ": " << *log.readError << "\n";
            status = 2;
            continue;
        }
        for (const batch::LineProblem& problem : log.problems) {
            errors << log.name << ':' << problem.line << ": " << problem.reason << '\n';
            status = std::max(status, 1);
        }
        passes.push_back({QFileInfo(QFile::decodeName(name.c_str())).fileName(),
                          passColour(passes.size()), std::move(log.records)});
    }
    PassCharts charts;
    charts.setAttribute(Qt::WA_DontShowOnScreen);
    charts.resize(plotWidth, charts.sizeHint().height());
    charts.setPasses(&passes);
    charts.show();
    QApplication::processEvents();
    charts.showAll();
    QApplication::processEvents();
    QString error;
    if (!charts.save(QFile::decodeName(output.c_str()), &error)) {
        errors << "veskar-decode: cannot write " << output << ": " << error.toStdString() << "\n";
        return 2;
    }
    return status;
}

}  // namespace ui
