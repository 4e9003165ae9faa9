#pragma once

// Creating the application object without Qt's abort: with no display to connect to, Qt ends the
// process with a fatal message and exit code 134. Here the user gets a short German line on err
// instead, and the program ends with 1.

#include <QApplication>
#include <iosfwd>
#include <memory>

namespace telvarin {

// The application object, or nothing after saying on err that there is no display to show the
// windows on. argc must outlive the object, as QApplication requires.
std::unique_ptr<QApplication> createApplication(int& argc, char** argv, std::ostream& err);

} // namespace telvarin
