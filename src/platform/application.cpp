#include "application.h"

namespace zorv {

Application::Application(QObject *parent) : QObject(parent) {}

Application::~Application() = default;

} // namespace zorv
