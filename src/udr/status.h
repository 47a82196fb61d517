// status.h - how an external routine fails: a Firebird error that names the
// function, through the server's status.  Errors from the server's own
// interfaces arrive as FbException and pass through; any other C++
// exception becomes a Firebird error, so none ever leaves a routine.
#pragma once

// Errors from the server's interfaces arrive as FbException.
#define FB_UDR_STATUS_TYPE ::Firebird::ThrowStatusWrapper
#include <firebird/UdrCppEngine.h>

#include <new>
#include <string>

#include "../catalog/catalog.h"

namespace kovudf_udr {

using Status = Firebird::ThrowStatusWrapper;

// Fails the statement with "<SQL name>: <what>", after the server's own
// error `code` when one fits (its SQLSTATE is then the statement's).
[[noreturn]] void raise(Status* status, const catalog::Function& function,
                        const char* what, ISC_STATUS code = 0);
// Fails it with `text` as it stands.
[[noreturn]] void raise(Status* status, const std::string& text, ISC_STATUS code = 0);

template <class Body>
void guarded(Status* status, const catalog::Function& function, Body&& body) {
    try {
        body();
    } catch (const Firebird::FbException&) {
        throw;
    } catch (const std::bad_alloc&) {
        raise(status, function, "out of memory", isc_virmemexh);
    } catch (...) {
        raise(status, function, "unexpected internal error");
    }
}

// An interface of the server's that this code holds a reference to, let go
// of when the holder goes out of scope.
template <class T>
class Held {
  public:
    explicit Held(T* p = nullptr) : p_(p) {}
    ~Held() {
        if (p_ != nullptr) {
            p_->release();
        }
    }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    T* operator->() const { return p_; }
    T* get() const { return p_; }

  private:
    T* p_;
};

}  // namespace kovudf_udr
