# Same doubles on every target: no contraction into fused multiply-adds, no fast-math.
add_compile_options(-Wall -Wextra -Wpedantic -ffp-contract=off)
