#include "platform/UserStore.h"

#include "platform/FileUserStore.h"

namespace {

TUserStore* currentStore = nullptr;

} // namespace

void SetUserStore(TUserStore* store) {
    currentStore = store;
}

TUserStore& CurrentUserStore() {
    static TFileUserStore fileStore;
    return currentStore ? *currentStore : fileStore;
}
