// Under Node.js (the headless runs that check the web program against the native one) the
// program is read from beside this script without fetch(), and the real file system is
// mounted at /host with the current folder made the program's own, so that relative paths
// given to --input, --record and the like name the same files as for the native program
// (an absolute one is /host followed by it).
// It comes before everything else in brinefall.js, the data package's loader included.
var Module = typeof Module != 'undefined' ? Module : {};
if (typeof process == 'object' && typeof window == 'undefined') {
  Module['wasmBinary'] = require('fs').readFileSync(__dirname + '/brinefall.wasm');
  Module['locateFile'] = function (file) { return __dirname + '/' + file; };
  Module['preRun'] = [].concat(Module['preRun'] || [], function () {
    FS.mkdir('/host');
    FS.mount(NODEFS, { root: '/' }, '/host');
    FS.chdir('/host' + process.cwd());
  });
}
