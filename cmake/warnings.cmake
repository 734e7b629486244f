# Warnings are set per target, so that third-party code built alongside keeps its own.
function(apportion_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
        -Wno-sign-conversion)
endfunction()
