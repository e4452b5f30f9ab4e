#include "appwindow.h"

namespace zorv {

AppWindow::AppWindow(QObject *parent) : QObject(parent) {}

AppWindow::~AppWindow() = default;

} // namespace zorv
