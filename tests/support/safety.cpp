#include "safety.h"

#include "workers/settings.h"

namespace testsafety {

void off()
{
    using tarvenix::Safety;
    for (Safety which : {Safety::BackupBeforeData, Safety::VerifyAfterData,
                         Safety::AskBeforeFirmware})
        tarvenix::setSafetyOn(which, false);
}

} // namespace testsafety
