#include "safety.h"

#include "userfiles/settings.h"

namespace testsafety {

void setAll(bool on)
{
    using tarvenix::Safety;
    for (Safety which :
         {Safety::BackupBeforeData, Safety::VerifyAfterData, Safety::AskBeforeFirmware})
        tarvenix::setSafetyOn(which, on);
}

} // namespace testsafety
