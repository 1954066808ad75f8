// Another program that sends the host's query messages with made-up process
// ids and addresses. Arguments: host window, a seed, a count, the test's
// process id and the address of a canary buffer in the test's process.
// Exits with the number of copies that reported success where they must not.
#include <windows.h>

#include <cstdint>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc < 6)
        return 100;
    HWND window = reinterpret_cast<HWND>(uintptr_t(strtoul(argv[1], nullptr, 16)));
    uint32_t state = uint32_t(strtoul(argv[2], nullptr, 10));
    int count = atoi(argv[3]);
    DWORD hostProcess = DWORD(strtoul(argv[4], nullptr, 10));
    uintptr_t canary = uintptr_t(strtoul(argv[5], nullptr, 16));

    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };

    int wrong = 0;
    const UINT queries[] = {29872, 29873, 29874, 29875};
    for (int i = 0; i < count; ++i) {
        UINT message = queries[next() % 4];
        WPARAM wParam = next();
        LPARAM lParam = LPARAM(next());
        switch (next() % 4) {
        case 0: // the host's own process, pointing at the canary
            wParam = hostProcess;
            lParam = LPARAM(canary);
            break;
        case 1: // this process, at an address that is not writable
            wParam = GetCurrentProcessId();
            lParam = LPARAM(next() % 2 ? 0 : 0x10);
            break;
        default:
            break;
        }
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result))
            return 101; // the host hung or died
        if (message == 29875 && wParam == hostProcess && result != 0)
            ++wrong;
    }
    return wrong;
}
