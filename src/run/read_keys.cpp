#include "run/read_keys.h"

#include <initializer_list>
#include <utility>

namespace trindel {

namespace {

// A key counts only when no other key of its group of 16 codes is held.
bool aloneInGroup(const KeyMap& keys, int code) {
    if (!keys.held(code)) {
        return false;
    }
    const int first = code / 16 * 16;
    for (int k = first; k < first + 16; ++k) {
        if (k != code && keys.held(k)) {
            return false;
        }
    }
    return true;
}

void match(const KeyMap& keys, std::initializer_list<std::pair<int, int>> table, int& result) {
    for (const auto& [vkCode, character] : table) {
        if (aloneInGroup(keys, vkCode)) {
            result = character;
        }
    }
}

}  // namespace

int READKEYS(const KeyMap& keys) {
    int code = 0;
    match(keys, {{vk::Left, 28}, {vk::Right, 29}, {vk::Up, 30}, {vk::Down, 31}}, code);
    match(keys, {{vk::Escape, 27}, {vk::Return, 13}}, code);
    match(keys,
          {{vk::A, 'a'}, {vk::B, 'b'}, {vk::C, 'c'}, {vk::D, 'd'},     {vk::E, 'e'}, {vk::F, 'f'},
           {vk::G, 'g'}, {vk::H, 'h'}, {vk::Q, 'q'}, {vk::R, 'r'},     {vk::S, 's'}, {vk::V, 'v'},
           {vk::W, 'w'}, {vk::X, 'x'}, {vk::Z, 'z'}, {vk::Minus, '-'}, {vk::O, 'o'}, {vk::T, 't'},
           {vk::Y, 'y'}, {vk::I, 'i'}, {vk::J, 'j'}, {vk::K, 'k'},     {vk::L, 'l'}, {vk::M, 'm'},
           {vk::N, 'n'}, {vk::P, 'p'}, {vk::U, 'u'}},
          code);
    if (code >= 'a' && code <= 'z' && (keys.held(vk::Shift) || keys.held(vk::CapsLock))) {
        code -= 32;
    }
    match(keys,
          {{vk::One, '1'},
           {vk::Two, '2'},
           {vk::Three, '3'},
           {vk::Four, '4'},
           {vk::Five, '5'},
           {vk::Six, '6'},
           {vk::Seven, '7'},
           {vk::Eight, '8'},
           {vk::Nine, '9'},
           {vk::Zero, '0'},
           {vk::Equal, '+'}},
          code);
    int keypad = 0;
    match(keys,
          {{vk::Keypad0, '0'},
           {vk::Keypad1, '1'},
           {vk::Keypad1 + 1, '2'},
           {vk::Keypad1 + 2, '3'},
           {vk::Keypad1 + 3, '4'},
           {vk::Keypad1 + 4, '5'},
           {vk::Keypad1 + 5, '6'},
           {vk::Keypad7, '7'},
           {vk::Keypad8, '8'},
           {vk::Keypad9, '9'}},
          keypad);
    return keypad != 0 ? keypad : code;
}

}  // namespace trindel
