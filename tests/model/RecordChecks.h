#pragma once
// Checks shared by the record tests: a value survives its JSON form, every
// required key is needed, which keys a record writes, and the stored texts
// of an enumeration.

#include "platform/JsonCoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vt::test {

// Encodes, decodes and compares; hashes of equal values must agree too.
template <class T>
T roundTrip(const T& value)
{
    T back = json::decode<T>(json::encode(value));
    EXPECT_TRUE(back == value);
    if constexpr (requires { std::hash<T>{}(value); }) {
        EXPECT_EQ(std::hash<T>{}(back), std::hash<T>{}(value));
    }
    return back;
}

// Removing any one of `keys` from `full` fails the record.
template <class T>
void expectEachKeyRequired(const json::Value& full, std::initializer_list<const char*> keys)
{
    ASSERT_NO_THROW(json::decode<T>(full));
    for (const char* key : keys) {
        json::Value without = full;
        ASSERT_TRUE(without.contains(key)) << key;
        without.erase(key);
        EXPECT_THROW(json::decode<T>(without), json::DecodeError) << "without " << key;
        without[key] = nullptr;
        EXPECT_THROW(json::decode<T>(without), json::DecodeError) << key << " null";
    }
}

// Every case's stored text, in declaration order.
template <json::TextEnum E>
std::vector<std::string_view> enumTexts()
{
    std::vector<std::string_view> out;
    for (E e : json::allCases<E>()) out.push_back(json::enumText(e));
    return out;
}

inline std::set<std::string> keysOf(const json::Value& object)
{
    std::set<std::string> keys;
    for (auto it = object.begin(); it != object.end(); ++it) keys.insert(it.key());
    return keys;
}

}  // namespace vt::test
