// placeholder until the first sources land
namespace { [[maybe_unused]] int tests_support_placeholder = 0; }
