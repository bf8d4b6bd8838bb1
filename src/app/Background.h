#pragma once
// Internal to the app folder: work on the thread pool whose outcome comes
// back to the model's thread.

#include "app/AppModel.h"

#include <QMetaObject>
#include <QThreadPool>

namespace vt {

template <class Result>
void AppModel::background(std::function<Result()> work, std::function<void(Result)> done,
                          std::function<void(std::exception_ptr)> failed)
{
    pool_.start([this, work = std::move(work), done = std::move(done), failed = std::move(failed)] {
        try {
            auto result = std::make_shared<Result>(work());
            QMetaObject::invokeMethod(this, [done, result] { done(std::move(*result)); }, Qt::QueuedConnection);
        } catch (...) {
            QMetaObject::invokeMethod(this, [failed, error = std::current_exception()] { failed(error); }, Qt::QueuedConnection);
        }
    });
}

}  // namespace vt
