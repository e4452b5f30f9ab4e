#include "menupresenter.h"

namespace zorv {

MenuPresenter::MenuPresenter(QObject *parent) : QObject(parent) {}

MenuPresenter::~MenuPresenter() = default;

} // namespace zorv
