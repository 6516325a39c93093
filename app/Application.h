// The program's QApplication: every event delivered from the event loop runs inside an
// autorelease scope, so that objects and callbacks handed to the scope end with that cycle.
#pragma once

#include <QApplication>

class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int& argc, char** argv) : QApplication(argc, argv) {}

    // Opens a scope for an event that arrives with none open; events sent while handling it
    // share that scope.
    bool notify(QObject* receiver, QEvent* event) override;
};
