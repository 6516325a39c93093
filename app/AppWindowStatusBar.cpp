// AppWindow: the status bar (profile and drive source, notices and failures), problems with the
// data files, and the connected table's empty state.
#include "app/AppWindow.h"

#include "app/DeviceSupportProfile.h"
#include "app/DiscRecording/DRService.h"
#include "ui_AppWindow.h"

#include <QLabel>
#include <QStatusBar>

void AppWindow::setUpStatusBar()
{
    _sourceLabel = new QLabel(_window.get());
    _sourceLabel->setObjectName(QStringLiteral("sourceLabel"));
    _sourceLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    _ui->statusBar->addPermanentWidget(_sourceLabel);
}

void AppWindow::showStatusMessage(const QString& message)
{
    if (_ui)
        _ui->statusBar->showMessage(message);
}

void AppWindow::reportDataFileProblems()
{
    const QString simulation = DRService::simulationPath();
    _sourceLabel->setText(
        QStringLiteral("Profile: %1    Drives: %2")
            .arg(DeviceSupportProfile::displayPath(DeviceSupportProfile::chosenPath()),
                 simulation.isEmpty() ? QStringLiteral("udev") : QStringLiteral("simulated from %1").arg(simulation)));

    // The window still opens; the status bar says which file let it down and how.
    QStringList problems;
    if (!_profileProblem.isEmpty())
        problems.append(QStringLiteral("The profile \u201c%1\u201d %2: no supported drives are listed.")
                            .arg(DeviceSupportProfile::displayPath(DeviceSupportProfile::chosenPath()), _profileProblem));
    if (const QString problem = DRService::simulationProblem(); !problem.isEmpty())
        problems.append(
            QStringLiteral("The drive simulation \u201c%1\u201d %2: no drives are shown.").arg(simulation, problem));
    if (!problems.isEmpty())
        showStatusMessage(problems.join(u' '));
}

void AppWindow::setUpEmptyState()
{
    QWidget* viewport = _ui->connectedTable->viewport();
    _emptyConnectedLabel = new QLabel(QStringLiteral("No optical drives connected"), viewport);
    _emptyConnectedLabel->setObjectName(QStringLiteral("emptyConnectedLabel"));
    _emptyConnectedLabel->setAlignment(Qt::AlignCenter);
    _emptyConnectedLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    _emptyConnectedLabel->setForegroundRole(QPalette::PlaceholderText);
    _emptyConnectedLabel->setGeometry(viewport->rect());
}

void AppWindow::updateEmptyState()
{
    if (_emptyConnectedLabel)
        _emptyConnectedLabel->setVisible(numberOfRowsInTableView(_ui->connectedTable) == 0);
}
