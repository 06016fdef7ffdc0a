// SPDX-License-Identifier: MIT
// What an operator may throw at the dialog: huge pastes, characters the analysis cannot
// keep, and saves that cannot succeed.
#include <unistd.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "DialogTest.h"
#include "Templates.h"
#include "ui/BeaconDialog.h"
#include "ui/CodePage.h"
#include "ui/ResultBox.h"

namespace {

// A small file system of its own mounted on a folder, for a full disk or a read-only one.
// Only root may mount; for others it stays unmounted.
class ScratchMount {
  public:
    ScratchMount(const QString& folder, const QString& options) : folder(folder) {
        QDir().mkpath(folder);
        mounted = ::geteuid() == 0 &&
                  QProcess::execute("mount", {"-t", "tmpfs", "-o", options, "tmpfs", folder}) == 0;
    }
    ~ScratchMount() {
        if (mounted) {
            QProcess::execute("umount", {folder});
        }
    }
    bool remountReadOnly() const {
        return QProcess::execute("mount", {"-o", "remount,ro", folder}) == 0;
    }
    bool isMounted() const { return mounted; }

  private:
    QString folder;
    bool mounted = false;
};

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

const QString satellite = QString::fromUtf8("\xF0\x9F\x9B\xB0");  // not in code page 932

}  // namespace

class HardeningTest : public DialogTest {
    Q_OBJECT

  private:
    void paste(QWidget* into, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        into->setFocus();
        QTest::keyClick(into, Qt::Key_V, Qt::ControlModifier);
    }

    // A save to path fails: the operator is told which file and why, and nothing changes.
    void expectFailedSave(const QString& path, const QString& earlier, const QByteArray& bytes) {
        const QString caption = dialog->windowTitle();
        const bool modified = resultBox()->document()->isModified();
        const qsizetype errorsBefore = services->errors.size();
        services->savePaths = {path};
        dialog->OnSave();
        QCOMPARE(services->errors.size(), errorsBefore + 1);
        const QString message = services->errors.last();
        QVERIFY2(message.contains(QDir::toNativeSeparators(path)), qPrintable(message));
        QVERIFY2(message.count('\n') >= 1 && !message.section('\n', -1).trimmed().isEmpty(),
                 qPrintable(message));
        QCOMPARE(readFile(earlier), bytes);
        QCOMPARE(dialog->windowTitle(), caption);
        QCOMPARE(resultBox()->document()->isModified(), modified);
        const std::size_t size = dialog->analysisText().size();
        dialog->OnCheck();  // the dialog goes on
        QVERIFY(dialog->analysisText().size() > size);
    }

  private slots:
    void init() { QVERIFY(openDialog()); }
    void cleanup() { closeDialog(); }

    void megabytePastesAreKeptWhole() {
        const QString megabyte(1 << 20, QChar('7'));
        paste(entry(0), megabyte);
        QCOMPARE(entry(0)->text().size(), megabyte.size());
        QTest::keyClick(entry(0), Qt::Key_Backspace);
        QCOMPARE(entry(0)->text().size(), megabyte.size() - 1);

        QString lines;
        for (int i = 0; i < (1 << 20) / 64; ++i) {
            lines += QString(63, QChar('a' + i % 26)) + '\n';
        }
        resultBox()->moveCursor(QTextCursor::End);
        paste(resultBox(), lines);
        dialog->OnCheck();
        const std::string result = dialog->analysisText();
        QCOMPARE(result.substr(0, 66), std::string(63, 'a') + "\r\n" + 'b');
        QCOMPARE(ui::fromCp932Lines(result.substr(0, result.find("Input at "))), lines);
        QVERIFY2(result.find("VOKA FF") != std::string::npos, "a million sevens read as FF");
    }

    void charactersOutsideTheCodePageAreRefusedInEveryBox() {
        QList<QWidget*> boxes;
        for (int field = 0; field < 11; ++field) {
            boxes << entry(field);
        }
        boxes << resultBox();
        for (QWidget* box : boxes) {
            box->setFocus();
            QTest::keyClick(box, '1');
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, satellite, Qt::NoModifier);
            paste(box, "2" + satellite);
        }
        QCOMPARE(services->notices.size(), 2 * boxes.size());
        for (int field = 0; field < 11; ++field) {
            QCOMPARE(entry(field)->text(), QString("1"));
        }
        QCOMPARE(resultBox()->toPlainText(), QString("1"));
    }

    void saveIntoAReadOnlyFolder() {
        QTemporaryDir scratch;
        const QString folder = scratch.filePath("readonly");
        ScratchMount mount(folder, "size=64k");
        const QString earlier = folder + "/pass.txt";
        writeFile(earlier, "earlier");
        if (mount.isMounted()) {
            QVERIFY(mount.remountReadOnly());
        } else {  // a file that may not be written, in a folder that refuses new files
            QFile::setPermissions(earlier, QFile::ReadOwner);
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        }
        dialog->OnCheck();
        expectFailedSave(earlier, earlier, "earlier");
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // The folder refuses the temporary file, but the file itself may be written: it is
    // written in place, all of it.
    void writableFileInAReadOnlyFolderIsWrittenInPlace() {
        if (::geteuid() == 0) {
            QSKIP(
                "root writes into a folder without write permission; this case needs "
                "another user (tests/ui/run_unprivileged.sh runs it as nobody)");
        }
        QTemporaryDir scratch;
        const QString folder = scratch.filePath("readonly");
        QVERIFY(QDir().mkpath(folder));
        const QString earlier = folder + "/pass.txt";
        writeFile(earlier, QByteArray(20000, 'e'));  // longer than the new result
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        dialog->OnCheck();
        services->savePaths = {earlier};
        dialog->OnSave();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(services->errors.isEmpty(), qPrintable(services->errors.value(0)));
        QCOMPARE(readFile(earlier).toStdString(), dialog->analysisText() + '\x1A');
        QCOMPARE(dialog->windowTitle(), earlier);
        QVERIFY(!resultBox()->document()->isModified());
    }

    void saveToAFolderOrIntoAMissingOne() {
        QTemporaryDir scratch;
        const QString earlier = scratch.filePath("pass.txt");
        writeFile(earlier, "earlier");
        dialog->OnCheck();
        expectFailedSave(scratch.path(), earlier, "earlier");
        expectFailedSave(scratch.filePath("missing/pass.txt"), earlier, "earlier");
    }

    void saveOntoAFullDisk() {
        QTemporaryDir scratch;
        const QString folder = scratch.filePath("small");
        ScratchMount mount(folder, "size=16k");
        if (!mount.isMounted()) {
            QSKIP("a small file system needs root to mount it");
        }
        const QString earlier = folder + "/pass.txt";
        writeFile(earlier, "earlier");
        for (QLineEdit* box : dialog->findChildren<QLineEdit*>()) {
            box->setText("5A");
        }
        for (int check = 0; check < 30; ++check) {
            dialog->OnCheck();
        }
        QVERIFY(dialog->analysisText().size() > 16 * 1024);
        expectFailedSave(earlier, earlier, "earlier");
        QVERIFY2(services->errors.last().contains("space"), qPrintable(services->errors.last()));
    }
};

QTEST_MAIN(HardeningTest)
#include "HardeningTest.moc"
