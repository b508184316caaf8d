// The program's main runs in a task of its own once the WebAssembly is ready: starting the
// module and building the first window then each hold the page up only half as long.
Module['onRuntimeInitialized'] = () => setTimeout(() => callMain([]));
