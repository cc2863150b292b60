// One process-wide instance of T, made on first use. User programs may call the library from
// several threads at once: an interlocked state word admits one creator, and the others yield
// until it reports created or failed. The four words are read and written only through the
// interlocked operations, so a waiter always sees what the creator wrote.
//
// The module holds one static holder per class, made at module start; its destructor deletes the
// instance when the module unloads.
#pragma once

#include "stdafx.h"

#include <new>

namespace TQ {

template <class T>
class vesp_singleton
{
public:
    vesp_singleton() {}
    virtual ~vesp_singleton()
    {
        delete static_cast<T*>(InterlockedExchangePointer(&s_instance, NULL));
    }

    // The instance, made by the first caller; NULL when there was no memory for it. An exception
    // from T's constructor reaches the caller that made it, and a later call tries again.
    static T* Instance()
    {
        // An instance in place is complete (it is stored after its construction): the common
        // case costs one interlocked read.
        if (T* instance = ReadInstance())
            return instance;
        if (!Read(s_created))
            Create();
        return ReadInstance();
    }

private:
    enum { STATE_NONE = 0, STATE_CREATING = 1, STATE_DONE = 2 };

    static LONG Read(volatile LONG& word) { return InterlockedCompareExchange(&word, 0, 0); }
    static T* ReadInstance() { return static_cast<T*>(InterlockedCompareExchangePointer(&s_instance, NULL, NULL)); }

    static void Create()
    {
        const LONG old = InterlockedExchange(&s_state, STATE_CREATING);
        if (old == STATE_NONE)
        {
            InterlockedExchange(&s_failed, FALSE);
            try
            {
                InterlockedExchangePointer(&s_instance, new (std::nothrow) T);
            }
            catch (...)
            {
                InterlockedExchange(&s_failed, TRUE);
                InterlockedExchange(&s_state, STATE_NONE);
                throw;
            }
            InterlockedExchange(&s_created, TRUE);
            InterlockedExchange(&s_state, STATE_DONE);
        }
        else if (old == STATE_CREATING)
        {
            while (!Read(s_created) && !Read(s_failed))
                Sleep(0);
        }
        else
        {
            // Made earlier: put the word back.
            InterlockedExchange(&s_state, STATE_DONE);
        }
    }

    static volatile LONG s_state;     // STATE_*
    static volatile LONG s_created;   // TRUE once the instance (or its NULL) is in place
    static volatile LONG s_failed;    // TRUE after the constructor threw
    static PVOID volatile s_instance;
};

template <class T>
volatile LONG vesp_singleton<T>::s_state = 0;
template <class T>
volatile LONG vesp_singleton<T>::s_created = FALSE;
template <class T>
volatile LONG vesp_singleton<T>::s_failed = FALSE;
template <class T>
PVOID volatile vesp_singleton<T>::s_instance = NULL;

}  // namespace TQ
