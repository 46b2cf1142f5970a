#pragma once
// One run of LibreOffice headless converting a file, as a child process
// that the event loop waits for. Each run has a profile folder of its own, so
// a LibreOffice the user has open (or another export) does not interfere.

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

class LibreOfficeConversion : public QObject {
    Q_OBJECT
public:
    explicit LibreOfficeConversion(QObject* parent = nullptr);
    ~LibreOfficeConversion() override;

    // Converts `inputFile` (HTML, or a document LibreOffice knows by its
    // extension) for `target` ("odt:writer8"); the result is written into
    // `outputFolder` named like the input with `suffix`. Everything
    // LibreOffice keeps goes below `workFolder`.
    void start(const QString& inputFile, const QString& target, const QString& suffix, const QString& outputFolder,
               const QString& workFolder);

    // The LibreOffice program, or empty when it is not installed.
    static QString program();

signals:
    // The written file, or an empty path and a reason.
    void finished(const QString& outputFile, const QString& error);

private:
    void processEnded();
    void finish(const QString& outputFile, const QString& error);

    QProcess process_;
    QTimer watchdog_;
    QString expectedOutput_;
    bool done_ = false;
};
