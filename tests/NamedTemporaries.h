#pragma once

// A process that sees its file systems as those that cannot make unnamed
// files (O_TMPFILE: NFS, SMB, FAT and the like): every such open fails with
// EOPNOTSUPP, so that the program falls back to named temporary files.
// For QProcess::setChildProcessModifier: the filter holds across exec.

#include <cerrno>
#include <cstddef>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>

namespace NamedTemporaries {

// False where this machine's system calls are not known here: then the
// files are made as they come.
inline bool Available()
{
#if defined(__x86_64__) || defined(__aarch64__)
    return true;
#else
    return false;
#endif
}

inline void RefuseUnnamedFiles()
{
#if defined(__x86_64__) || defined(__aarch64__)
#if defined(__x86_64__)
    constexpr unsigned arch = AUDIT_ARCH_X86_64;
#else
    constexpr unsigned arch = AUDIT_ARCH_AARCH64;
#endif
    constexpr unsigned unnamed = 020000000; // O_TMPFILE without O_DIRECTORY
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, arch, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_openat, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])), // the flags' low half
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, unnamed, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program = {static_cast<unsigned short>(sizeof filter / sizeof filter[0]), filter};
    ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0);
    ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program);
#endif
}

} // namespace NamedTemporaries
