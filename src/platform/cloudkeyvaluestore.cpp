#include "cloudkeyvaluestore.h"

namespace zorv {

CloudKeyValueStore::CloudKeyValueStore(QObject *parent) : QObject(parent) {}

CloudKeyValueStore::~CloudKeyValueStore() = default;

} // namespace zorv
