#include "vidout/ISound.h"

#include "SoundOutput.h"

ISound* ISound::Create()
{
    return new SoundOutput();
}
