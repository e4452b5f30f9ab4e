#include "networkrequests.h"

#include "mainthread.h"

namespace zorv {

namespace {

int g_outstanding = 0;

} // namespace

NetworkRequests::Outstanding::Outstanding() {
    Q_ASSERT_X(isMainThread(), "NetworkRequests::Outstanding", "main thread only");
    ++g_outstanding;
}

NetworkRequests::Outstanding::~Outstanding() {
    --g_outstanding;
}

int NetworkRequests::outstanding() {
    return g_outstanding;
}

} // namespace zorv
