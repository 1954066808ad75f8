#include "plugin/modulethread.h"

#include "plugin/plugin.h"

HANDLE StartModuleThread(LPTHREAD_START_ROUTINE procedure, void *parameter, SIZE_T stackSize)
{
    HMODULE reference = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&StartModuleThread),
                            &reference))
        return nullptr;
    HANDLE thread = CreateThread(nullptr, stackSize, procedure, parameter,
                                 stackSize ? STACK_SIZE_PARAM_IS_A_RESERVATION : 0, nullptr);
    if (!thread)
        FreeLibrary(reference);
    return thread;
}

void EndModuleThread(DWORD exitCode)
{
    FreeLibraryAndExitThread(moduleInstance, exitCode);
}
